#include "GameSession.h"

#include <BoardVisibility.h>
#include <Levels.h>

#include <cor/DisplayManager.h>
#include <cor/EventKeyboard.h>
#include <cor/EventStep.h>
#include <cor/GameManager.h>
#include <cor/ResourceManager.h>
#include <cor/SfmlAdapter.h>
#include <cor/WorldManager.h>

namespace gametest
{

void GameSession::start(const SessionOptions& options)
{
    const std::filesystem::path dir = m_dir.path();
    std::filesystem::copy_file(std::filesystem::path(HALVREN_RUN_DIR) / "cor-font.ttf",
                               dir / "cor-font.ttf");
    writeLevels(dir);
    std::vector<SpriteData> sprites = worldAndTitleSprites();
    if (options.gameoverFrames > 0)
        sprites.push_back(gameoverSprite(options.gameoverFrames, options.gameoverSlowdown));
    for (const SpriteData& sprite : sprites)
        writeSprite(dir, sprite);
    if (options.withMusic)
        writeSilentMusic(dir / "sound/BGM/BGM.ogg", MUSIC_SECONDS);

    ASSERT_EQ(cor::GameManager::instance().initialize(), 0);
    m_started = true;
    ASSERT_TRUE(loadAllLevels());
    cor::ResourceManager& resources = cor::ResourceManager::instance();
    for (const SpriteData& sprite : sprites)
    {
        ASSERT_EQ(resources.loadSprite(sprite.file, sprite.label), 0) << sprite.file;
    }
    if (options.withMusic)
    {
        ASSERT_EQ(resources.loadMusic("sound/BGM/BGM.ogg", "bgm"), 0);
    }

    boardVisible = true;
    m_controller = new HalvrenController;
    // The window starts with undefined content; every frame after this one starts black.
    cor::DisplayManager::instance().presentFrame();
}

void GameSession::TearDown()
{
    if (m_started)
        cor::GameManager::instance().shutdown();
}

void GameSession::frame(const std::vector<KeyInput>& keys)
{
    cor::WorldManager& world = cor::WorldManager::instance();
    world.broadcast(cor::EventStep(m_frameNumber++));
    for (const KeyInput& input : keys)
    {
        cor::EventKeyboard event;
        event.setKey(input.key);
        event.setAction(input.action);
        world.broadcast(event);
    }
    world.updateWorld();
}

void GameSession::pressAll(const std::vector<cor::Key>& keys)
{
    for (cor::Key key : keys)
        press(key);
}

sf::Image GameSession::drawnFrame(const std::vector<KeyInput>& keys)
{
    frame(keys);
    cor::WorldManager::instance().drawObjects();
    cor::DisplayManager& display = cor::DisplayManager::instance();
    sf::Image image = cor::sfml::captureWindow(*display.window());
    display.presentFrame();
    return image;
}

void GameSession::enterLevelOne()
{
    press(cor::ENTER);
    press(cor::ENTER);
    ASSERT_EQ(m_controller->state(), Playing);
    ASSERT_EQ(m_controller->level(), 1);
}

void GameSession::solveCurrentLevel(int wasted)
{
    // Every level starts its characters in the leftmost column (or, in level 1, one cell from
    // it), so moves into the left wall never spoil the solution.
    for (int i = 0; i < wasted; ++i)
        press(cor::LEFT);
    pressAll(currentLevel().solution);
    ASSERT_EQ(m_controller->state(), LevelCompletePending);
}

void GameSession::waitForLevelComplete()
{
    while (m_controller->state() == LevelCompletePending)
        frame();
}

void GameSession::reachState(GameState wanted)
{
    if (wanted == Title)
        return;
    if (wanted == HowToPlay)
    {
        press(cor::I);
        return;
    }
    press(cor::ENTER);
    if (wanted == Story)
        return;
    press(cor::ENTER);
    if (wanted == Playing)
        return;
    solveCurrentLevel();
    if (wanted == LevelCompletePending)
        return;
    waitForLevelComplete();
    if (wanted == LevelComplete)
        return;
    while (m_controller->state() != Won)
    {
        press(cor::ENTER);
        if (m_controller->state() == Playing)
        {
            solveCurrentLevel();
            waitForLevelComplete();
        }
    }
}

int GameSession::pauseFrames() const
{
    const std::int32_t frameTime = cor::GameManager::instance().frameTimeMs();
    return (frameTime + 1499) / frameTime;
}

std::int32_t GameSession::countOfType(const std::string& typeName) const
{
    return cor::WorldManager::instance().findObjectsByType(typeName).count();
}

cor::Vector GameSession::redCell(Cell cell)
{
    return cor::Vector(4.0f + static_cast<float>(cell.column), 5.0f + static_cast<float>(cell.row));
}

cor::Vector GameSession::blueCell(Cell cell)
{
    return cor::Vector(57.0f + static_cast<float>(cell.column),
                       5.0f + static_cast<float>(cell.row));
}

const TestLevel& GameSession::currentLevel() const
{
    return testLevels().at(static_cast<std::size_t>(m_controller->level() - 1));
}

} // namespace gametest
