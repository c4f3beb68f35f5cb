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
    // From then on a termination request (SIGINT, SIGTERM) only ends the frame loop.
    [[nodiscard]] int initialize() override;
    // Stops input, display, world, resource and log managers, then restores the resolution.
    // After a termination request it then ends the process as the request would have.
    void shutdown() override;

    // Runs frames until gameOver is set or termination is requested; returns at once when
    // gameOver already is.
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
