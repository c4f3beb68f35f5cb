#include "BenchGame.h"

#include <BoardCells.h>
#include <GameData.h>
#include <HalvrenController.h>
#include <LevelSolver.h>
#include <Levels.h>
#include <MoveKeys.h>
#include <QuitAnimation.h>

#include <cor/DisplayManager.h>
#include <cor/EventKeyboard.h>
#include <cor/EventStep.h>
#include <cor/GameManager.h>
#include <cor/InputManager.h>
#include <cor/ResourceManager.h>
#include <cor/WorldManager.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace bench
{

namespace
{

HalvrenController* currentController = nullptr;
std::int32_t frameNumber = 0;
std::filesystem::path runCopyPath;

void removeRunCopy()
{
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(runCopyPath, ignored);
}

int objectCount(const LevelData& level)
{
    int count = 0;
    for (const LevelMap* map : {&level.redMap, &level.blueMap})
    {
        const auto makesAnObject = [world = map == &level.redMap ? RED_WORLD : BLUE_WORLD](
                                       char cell) { return cellKindOf(cell, world) != nullptr; };
        for (const std::string& row : *map)
            count += static_cast<int>(std::count_if(row.begin(), row.end(), makesAnObject));
    }
    return count;
}

// Solves the level being played; true when it is complete and its results show.
bool solveCurrentLevel()
{
    const int index = currentController->level() - 1;
    const Solution solution = solveLevel(levelTable[static_cast<std::size_t>(index)], MoveSet::Any);
    if (!solution.solvable)
        return false;
    for (char letter : solution.keys)
        frameWithKeys({moveOfLetter(letter)->letterKey});
    // The play screen stays a moment before the results replace it.
    for (int guard = 0; guard < 1000 && currentController->state() == LevelCompletePending; ++guard)
        frameWithKeys({});
    return currentController->state() == LevelComplete;
}

} // namespace

const std::filesystem::path& enterRunCopy()
{
    if (!runCopyPath.empty())
        return runCopyPath;
    std::string pattern =
        (std::filesystem::temp_directory_path() / "halvren-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    runCopyPath = pattern;
    std::filesystem::copy(HALVREN_RUN_DIR, runCopyPath, std::filesystem::copy_options::recursive);
    std::filesystem::current_path(runCopyPath);
    std::atexit(removeRunCopy);
    return runCopyPath;
}

bool startGame(bool withController)
{
    enterRunCopy();
    return startGameHere(withController);
}

bool startGameHere(bool withController)
{
    cor::GameManager& game = cor::GameManager::instance();
    if (game.initialize() != 0)
        return false;
    if (!loadGameData())
    {
        game.shutdown();
        return false;
    }
    startMenuMusic();
    frameNumber = 0;
    currentController = withController ? new HalvrenController : nullptr;
    return true;
}

void stopGame()
{
    if (cor::Music* music = cor::ResourceManager::instance().findMusic(MUSIC_LABEL))
        music->stop();
    cor::GameManager::instance().shutdown();
    currentController = nullptr;
}

HalvrenController* controller()
{
    return currentController;
}

void workFrame()
{
    cor::WorldManager& world = cor::WorldManager::instance();
    world.broadcast(cor::EventStep(frameNumber++));
    cor::InputManager::instance().pollInput();
    world.updateWorld();
    world.drawObjects();
    cor::DisplayManager::instance().presentFrame();
}

void frameWithKeys(const std::vector<cor::Key>& keys, bool drawn)
{
    cor::WorldManager& world = cor::WorldManager::instance();
    world.broadcast(cor::EventStep(frameNumber++));
    cor::InputManager::instance().pollInput();
    for (cor::Key key : keys)
    {
        cor::EventKeyboard press;
        press.setKey(key);
        press.setAction(cor::PRESS);
        world.broadcast(press);
    }
    world.updateWorld();
    if (drawn)
    {
        world.drawObjects();
        cor::DisplayManager::instance().presentFrame();
    }
}

int densestLevel()
{
    int densest = 1;
    for (int level = 1; level <= LEVEL_COUNT; ++level)
    {
        if (objectCount(levelTable[static_cast<std::size_t>(level - 1)]) >
            objectCount(levelTable[static_cast<std::size_t>(densest - 1)]))
            densest = level;
    }
    return densest;
}

bool reachScreen(Screen screen)
{
    if (currentController == nullptr)
        return false;
    switch (screen)
    {
    case Screen::Title:
        return currentController->state() == Title;
    case Screen::Story:
        frameWithKeys({cor::ENTER});
        return currentController->state() == Story;
    case Screen::HowToPlay:
        frameWithKeys({cor::I});
        return currentController->state() == HowToPlay;
    case Screen::GameOver:
        frameWithKeys({cor::Q});
        return currentController->state() == Quitting;
    default:
        break;
    }
    frameWithKeys({cor::ENTER});
    frameWithKeys({cor::ENTER});
    const int lastLevel = screen == Screen::DensestPlay     ? densestLevel()
                          : screen == Screen::LevelComplete ? 1
                                                            : LEVEL_COUNT;
    while (currentController->level() < lastLevel)
    {
        if (!solveCurrentLevel())
            return false;
        frameWithKeys({cor::ENTER});
    }
    if (screen == Screen::DensestPlay)
        return currentController->state() == Playing && currentController->level() == lastLevel;
    if (!solveCurrentLevel())
        return false;
    if (screen == Screen::LevelComplete)
        return true;
    frameWithKeys({cor::ENTER});
    return currentController->state() == Won;
}

void keepGameOverShowing()
{
    if (cor::WorldManager::instance().findObjectsByType("quit-animation").count() == 0)
        new QuitAnimation;
}

} // namespace bench
