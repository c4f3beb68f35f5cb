#include "HalvrenController.h"

#include "Altitudes.h"
#include "BoardVisibility.h"
#include "GameData.h"
#include "KeyPress.h"
#include "MoveKeys.h"
#include "MusicLoops.h"
#include "PuzzleObject.h"
#include "QuitAnimation.h"
#include "TitleScreen.h"

#include <cor/GameManager.h>
#include <cor/ResourceManager.h>
#include <cor/WorldManager.h>

#include <algorithm>
#include <optional>

namespace
{

// How long the play screen stays after a completion before the results show.
constexpr std::int32_t COMPLETION_PAUSE_MS = 1500;

// Smaller than a cell, so that only objects on the same cell overlap.
const cor::BoundingBox PUZZLE_BOX(cor::Vector(-0.4f, -0.4f), 0.8f, 0.8f);

PuzzleObject* makePuzzleObject(const CellKind& kind, World world, const cor::Vector& position)
{
    auto* object = new PuzzleObject;
    object->setTypeName(kind.typeName);
    object->setPosition(position);
    object->setSolidness(kind.solidness);
    object->setAltitude(kind.altitude);
    // Without its sprite an object is invisible, but a wall still blocks: nothing to undo.
    static_cast<void>(object->assignSprite(kind.spriteLabel[world]));
    object->setBox(PUZZLE_BOX);
    return object;
}

} // namespace

HalvrenController::HalvrenController()
    : m_redPlayer(nullptr), m_bluePlayer(nullptr), m_titleScreen(nullptr), m_level(1),
      m_state(Title), m_steps(0), m_levelSteps(0), m_totalSteps(0), m_pendingFrames(0),
      m_blinkCounter(0)
{
    setTypeName("controller");
    setSolidness(cor::INTANGIBLE);
    setAltitude(TEXT_ALTITUDE);
    enterState(Title);
}

void HalvrenController::enterState(GameState next)
{
    switch (next)
    {
    case Title:
        m_titleScreen = new TitleScreen(this);
        break;
    case Story:
    case HowToPlay:
        // The title object has scheduled itself for deletion.
        m_titleScreen = nullptr;
        break;
    case Playing:
        // The story is left once a run: from here on the music loops the play region.
        if (m_state == Story)
        {
            if (cor::Music* music = cor::ResourceManager::instance().findMusic(MUSIC_LABEL))
                music->setLoopPoints(PLAY_MUSIC_LOOP.start, PLAY_MUSIC_LOOP.length());
        }
        m_steps = 0;
        m_levelSteps = 0;
        m_pendingFrames = 0;
        m_blinkCounter = 0;
        boardVisible = true;
        break;
    case LevelCompletePending:
        m_pendingFrames = 0;
        break;
    case LevelComplete:
        m_blinkCounter = 0;
        boardVisible = false;
        break;
    case Won:
        // The last level's objects are scheduled for deletion.
        m_redPlayer = nullptr;
        m_bluePlayer = nullptr;
        break;
    case Quitting:
        if (m_titleScreen != nullptr)
        {
            cor::WorldManager::instance().scheduleDeletion(m_titleScreen);
            m_titleScreen = nullptr;
        }
        boardVisible = false;
        new QuitAnimation;
        break;
    }
    m_state = next;
}

int HalvrenController::handleEvent(const cor::Event* event)
{
    if (event->typeName() == cor::EVENT_TYPE_STEP)
        return handleStep();
    if (const std::optional<cor::Key> key = pressedKey(event))
        return handleKey(*key);
    return 0;
}

int HalvrenController::handleKey(cor::Key key)
{
    // The title object takes the title's keys, Q among them; while quitting Q does nothing more.
    if (key == cor::Q && m_state != Title)
    {
        beginQuit();
        return 1;
    }
    switch (m_state)
    {
    case Title:
        return 0;
    case Story:
        return keyOnStory(key);
    case HowToPlay:
        return keyOnHowToPlay(key);
    case Playing:
        return keyOnPlaying(key);
    case LevelCompletePending:
        return keyOnCompletionPause(key);
    case LevelComplete:
        return keyOnLevelComplete(key);
    case Won:
        return 0;
    case Quitting:
        return 1;
    }
    return 0;
}

int HalvrenController::keyOnStory(cor::Key key)
{
    switch (key)
    {
    case cor::ENTER:
        buildLevel();
        return 1;
    case cor::ESCAPE:
        enterState(Title);
        return 1;
    default:
        return 0;
    }
}

int HalvrenController::keyOnHowToPlay(cor::Key key)
{
    if (key != cor::ESCAPE)
        return 0;
    enterState(Title);
    return 1;
}

int HalvrenController::keyOnPlaying(cor::Key key)
{
    if (key == cor::R)
    {
        restartAttempt();
        return 1;
    }
    const MoveKey* move = moveOfKey(key);
    if (move == nullptr)
        return 0;
    moveBoth(static_cast<float>(move->dx), static_cast<float>(move->dy));
    return 1;
}

// Moves are over once both stand on their exits; only a replay is taken.
int HalvrenController::keyOnCompletionPause(cor::Key key)
{
    if (key != cor::R)
        return 0;
    // The replayed attempt's steps no longer count towards the total.
    m_totalSteps -= m_levelSteps;
    restartAttempt();
    return 1;
}

int HalvrenController::keyOnLevelComplete(cor::Key key)
{
    if (key == cor::R)
        return keyOnCompletionPause(key); // a replay, as during the pause
    if (key != cor::ENTER)
        return 0;
    clearLevel();
    if (m_level >= LEVEL_COUNT)
        enterState(Won);
    else
    {
        ++m_level;
        buildLevel();
    }
    return 1;
}

int HalvrenController::handleStep()
{
    if (m_state == Quitting)
        return 1;
    if (m_state == LevelCompletePending)
    {
        ++m_pendingFrames;
        const std::int32_t frameTime = cor::GameManager::instance().frameTimeMs();
        if (m_pendingFrames >= (frameTime + COMPLETION_PAUSE_MS - 1) / frameTime)
            enterState(LevelComplete);
    }
    if (m_state == LevelComplete)
        m_blinkCounter = (m_blinkCounter + 1) % BLINK_PERIOD;
    return m_state == LevelCompletePending ? 1 : 0;
}

void HalvrenController::leaveTitle(GameState next)
{
    enterState(next);
}

void HalvrenController::moveBoth(float dx, float dy)
{
    if (m_state != Playing)
        return;
    ++m_steps;
    cor::WorldManager& world = cor::WorldManager::instance();
    const cor::Vector delta(dx, dy);
    if (m_redPlayer != nullptr)
        world.tryMoveObject(m_redPlayer, m_redPlayer->position() + delta);
    if (m_bluePlayer != nullptr)
        world.tryMoveObject(m_bluePlayer, m_bluePlayer->position() + delta);
    if (m_redPlayer != nullptr && m_bluePlayer != nullptr && m_redPlayer->position() == m_redExit &&
        m_bluePlayer->position() == m_blueExit)
    {
        m_totalSteps += m_steps;
        m_levelSteps = m_steps;
        enterState(LevelCompletePending);
    }
}

void HalvrenController::restartAttempt()
{
    if (m_redPlayer != nullptr)
        m_redPlayer->setPosition(m_redStart);
    if (m_bluePlayer != nullptr)
        m_bluePlayer->setPosition(m_blueStart);
    enterState(Playing);
}

void HalvrenController::buildLevel()
{
    const bool inTable = levelsLoaded && m_level >= 1 && m_level <= LEVEL_COUNT;
    const LevelData& data = levelTable[inTable ? static_cast<std::size_t>(m_level - 1) : 0];

    const PlacedMap red = placeMap(data.redMap, redOrigin, RED_WORLD);
    m_redPlayer = red.character;
    m_redExit = red.exit;
    const PlacedMap blue = placeMap(data.blueMap, blueOrigin, BLUE_WORLD);
    m_bluePlayer = blue.character;
    m_blueExit = blue.exit;

    m_redStart = m_redPlayer != nullptr ? m_redPlayer->position() : cor::Vector();
    m_blueStart = m_bluePlayer != nullptr ? m_bluePlayer->position() : cor::Vector();
    // The first attempt begins as every later one: the characters already stand on their starts.
    restartAttempt();
}

HalvrenController::PlacedMap HalvrenController::placeMap(const LevelMap& rows,
                                                         const cor::Vector& origin, World world)
{
    PlacedMap placed;
    for (int i = 0; i < MAP_ROWS; ++i)
    {
        const std::string& row = rows[static_cast<std::size_t>(i)];
        // A table that was never loaded has empty rows: they place nothing.
        const int columns = std::min<int>(MAP_COLUMNS, static_cast<int>(row.size()));
        for (int j = 0; j < columns; ++j)
        {
            const CellKind* kind = cellKindOf(row[static_cast<std::size_t>(j)], world);
            if (kind == nullptr)
                continue;
            const cor::Vector position(origin.x + static_cast<float>(j),
                                       origin.y + static_cast<float>(i));
            if (kind == &EXIT_CELL)
                placed.exit = position;
            PuzzleObject* object = makePuzzleObject(*kind, world, position);
            if (kind == &CHARACTER_CELL)
                placed.character = object;
        }
    }
    return placed;
}

void HalvrenController::clearLevel()
{
    cor::WorldManager& world = cor::WorldManager::instance();
    for (const CellKind* kind : BOARD_CELLS)
    {
        const cor::FixedObjectList objects = world.findObjectsByType(kind->typeName);
        for (std::int32_t i = 0; i < objects.count(); ++i)
        {
            // Until the frame's deletion pass the old level is still listed: a move made in
            // the same frame must not be stopped by its walls.
            objects[i]->setSolidness(cor::INTANGIBLE);
            world.scheduleDeletion(objects[i]);
        }
    }
}

void HalvrenController::beginQuit()
{
    if (m_state != Quitting)
        enterState(Quitting);
}

int HalvrenController::draw()
{
    switch (m_state)
    {
    case Story:
        return drawStoryScreen();
    case HowToPlay:
        return drawHowToPlayScreen();
    case Playing:
    case LevelCompletePending:
        return drawPlayScreen();
    case LevelComplete:
        return drawLevelCompleteScreen();
    case Won:
        return drawWinScreen();
    case Title:
    case Quitting:
        return 0;
    }
    return 0;
}
