#ifndef COR_GAME_MANAGER_H
#define COR_GAME_MANAGER_H

#include "cor/Manager.h"

#include <cstdint>

namespace cor
{

class FrameTimer;

// Starts and stops the other managers and runs the fixed-rate frame loop.
class GameManager : public Manager
{
public:
    static GameManager& instance();
    ~GameManager() override;

    // Starts log, resource, display, input and world managers, then the 1 ms timer resolution.
    int initialize() override;
    // Stops input, display, world, resource and log managers, then restores the resolution.
    void shutdown() override;

    // Runs frames until gameOver is set; returns at once when it already is.
    void run();
    // Lets the frame in progress finish, then run() returns.
    void endGame();
    bool isGameOver() const;
    std::int32_t frameTimeMs() const;

    // Replaces the clock, sleep and timer resolution; null restores the platform's.
    void setFrameTimer(FrameTimer* timer);

private:
    GameManager();

    bool m_gameOver;
    std::int32_t m_frameTimeMs;
    FrameTimer* m_timer;
};

} // namespace cor

#endif
