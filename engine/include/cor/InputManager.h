#ifndef COR_INPUT_MANAGER_H
#define COR_INPUT_MANAGER_H

#include "cor/Input.h"
#include "cor/Manager.h"

#include <SFML/Window/Keyboard.hpp>

namespace cor
{

// Turns the window's key and mouse events into engine events for every object.
class InputManager : public Manager
{
public:
    static InputManager& instance();
    ~InputManager() override;

    // Needs a started display manager; turns key repeat off.
    [[nodiscard]] int initialize() override;
    // Turns key repeat back on.
    void shutdown() override;

    // Delivers every window event queued since the last call; never blocks.
    void pollInput();

    static Key mapKey(sf::Keyboard::Key key);

private:
    InputManager();
};

} // namespace cor

#endif
