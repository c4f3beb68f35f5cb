#include "cor/GameManager.h"

#include "LibraryDiagnostics.h"
#include "cor/DisplayManager.h"
#include "cor/EventStep.h"
#include "cor/FrameTimer.h"
#include "cor/InputManager.h"
#include "cor/LogManager.h"
#include "cor/ResourceManager.h"
#include "cor/WorldManager.h"
#include "platform/Platform.h"

namespace cor
{

namespace
{
constexpr std::int32_t FRAME_TIME_MS = 33;
}

GameManager& GameManager::instance()
{
    static GameManager manager;
    return manager;
}

GameManager::GameManager()
    : m_gameOver(false), m_frameTimeMs(FRAME_TIME_MS), m_timer(&FrameTimer::system())
{
    setTypeName("GameManager");
}

GameManager::~GameManager() = default;

int GameManager::initialize()
{
    // From here on SIGINT and SIGTERM end the run through shutdown(), not on the spot.
    platform::watchTerminationRequests();
    quietLibraryDiagnostics();
    Manager* const startOrder[] = {&LogManager::instance(), &ResourceManager::instance(),
                                   &DisplayManager::instance(), &InputManager::instance(),
                                   &WorldManager::instance()};
    for (Manager* manager : startOrder)
    {
        if (manager->initialize() != 0)
            return -1;
    }
    if (m_timer->beginResolution() != 0)
        return -1;
    m_gameOver = false;
    setStarted(true);
    return 0;
}

void GameManager::shutdown()
{
    m_gameOver = true;
    // The world is stopped after the window closes, and the log last of all.
    Manager* const stopOrder[] = {&InputManager::instance(), &DisplayManager::instance(),
                                  &WorldManager::instance(), &ResourceManager::instance(),
                                  &LogManager::instance()};
    for (Manager* manager : stopOrder)
        manager->shutdown();
    m_timer->endResolution();
    setStarted(false);
    // Everything is closed and written: now the process may end as the request asked.
    if (const int request = platform::terminationRequest(); request != 0)
        platform::endAsTerminated(request);
}

void GameManager::run()
{
    if (m_gameOver)
        return;
    WorldManager& world = WorldManager::instance();
    InputManager& input = InputManager::instance();
    DisplayManager& display = DisplayManager::instance();
    for (std::int32_t frame = 0;; ++frame)
    {
        const std::int64_t start = m_timer->nowMilliseconds();

        world.broadcast(EventStep(frame));
        input.pollInput();
        world.updateWorld();
        world.drawObjects();
        display.presentFrame();

        const std::int64_t elapsed = m_timer->nowMilliseconds() - start;
        // The clock in use may step backwards (a wall clock being set); even then the frame
        // sleeps at most one frame time.
        if (elapsed < m_frameTimeMs)
        {
            const std::int64_t rest = m_frameTimeMs - (elapsed < 0 ? 0 : elapsed);
            m_timer->sleepMilliseconds(static_cast<std::int32_t>(rest));
        }
        if (platform::terminationRequest() != 0)
            m_gameOver = true;
        if (m_gameOver)
            return;
    }
}

void GameManager::endGame()
{
    m_gameOver = true;
}

bool GameManager::isGameOver() const
{
    return m_gameOver;
}

std::int32_t GameManager::frameTimeMs() const
{
    return m_frameTimeMs;
}

void GameManager::setFrameTimer(FrameTimer* timer)
{
    m_timer = timer != nullptr ? timer : &FrameTimer::system();
}

} // namespace cor
