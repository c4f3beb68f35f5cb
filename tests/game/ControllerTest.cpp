// The controller's states and move rules, driven by step and key events as the game loop sends
// them.
#include "GameSession.h"

#include <BoardVisibility.h>
#include <PuzzleObject.h>
#include <QuitAnimation.h>
#include <TitleScreen.h>

#include <cor/EventKeyboard.h>
#include <cor/EventStep.h>
#include <cor/GameManager.h>
#include <cor/ResourceManager.h>
#include <cor/SfmlAdapter.h>
#include <cor/WorldManager.h>

#include <algorithm>

namespace gametest
{
namespace
{

using ControllerTest = GameSession;

cor::Vector delta(cor::Key key)
{
    switch (key)
    {
    case cor::LEFT:
    case cor::A:
        return {-1, 0};
    case cor::RIGHT:
    case cor::D:
        return {1, 0};
    case cor::UP:
    case cor::W:
        return {0, -1};
    default:
        return {0, 1};
    }
}

// The cell a character reaches from `from`: its own map's walls alone can stop it.
cor::Vector expectedMove(const std::vector<std::string>& map, cor::Vector origin, cor::Vector from,
                         cor::Vector step)
{
    const cor::Vector to = from + step;
    const auto row = static_cast<std::size_t>(to.y - origin.y);
    const auto column = static_cast<std::size_t>(to.x - origin.x);
    return map.at(row).at(column) == '#' ? from : to;
}

TEST_F(ControllerTest, StartsOnTheTitleListedBeforeItsTitleObject)
{
    start();
    EXPECT_EQ(m_controller->state(), Title);
    EXPECT_EQ(m_controller->level(), 1);
    EXPECT_EQ(m_controller->totalSteps(), 0);
    ASSERT_EQ(countOfType("title-screen"), 1);
    const cor::Object* title = cor::WorldManager::instance().findObjectsByType("title-screen")[0];
    EXPECT_EQ(title, m_controller->titleScreen());
    // The controller comes first, so it sees each title key before the title object does.
    EXPECT_EQ(cor::WorldManager::instance().allObjects()[0], m_controller);
}

TEST_F(ControllerTest, ScreensChangeOnTheirOwnKeysInTheOrderTheyCame)
{
    start();
    struct Frame
    {
        std::vector<KeyInput> keys;
        GameState after;
    };
    // Keys queued in one frame take effect in turn: once the title has let the player through,
    // its later keys belong to the story screen even though the title is deleted only after.
    const std::vector<Frame> frames = {
        {{{cor::ENTER, cor::RELEASE}, {cor::I, cor::RELEASE}, {cor::Q, cor::RELEASE}}, Title},
        {{{cor::ESCAPE}, {cor::SPACE}, {cor::R}, {cor::LEFT}, {cor::S}}, Title},
        {{{cor::I}}, HowToPlay},
        {{{cor::ENTER}, {cor::I}, {cor::R}, {cor::LEFT}, {cor::SPACE}}, HowToPlay},
        {{{cor::ESCAPE}}, Title},
        {{{cor::ENTER}, {cor::I}}, Story},
        {{{cor::I}, {cor::R}, {cor::LEFT}, {cor::SPACE}}, Story},
        {{{cor::ESCAPE}}, Title},
        {{{cor::ENTER}}, Story},
        {{{cor::ESCAPE}, {cor::ENTER}, {cor::ENTER}}, Playing},
        {{{cor::I}, {cor::ENTER}, {cor::ESCAPE}}, Playing},
    };
    for (std::size_t i = 0; i < frames.size(); ++i)
    {
        SCOPED_TRACE("frame " + std::to_string(i));
        frame(frames[i].keys);
        const GameState state = frames[i].after;
        ASSERT_EQ(m_controller->state(), state);
        ASSERT_EQ(countOfType("title-screen"), state == Title ? 1 : 0);
        EXPECT_EQ(m_controller->titleScreen(),
                  state == Title
                      ? cor::WorldManager::instance().findObjectsByType("title-screen")[0]
                      : nullptr);
        EXPECT_EQ(countOfType("player"), state == Playing ? 2 : 0);
    }
    EXPECT_EQ(m_controller->level(), 1);
    EXPECT_EQ(m_controller->steps(), 0);
    EXPECT_EQ(m_controller->redPlayer()->position(), redCell(testLevels()[0].redStart));
}

TEST_F(ControllerTest, BuildsBothMapsFromTheLevelTable)
{
    start();
    enterLevelOne();
    const TestLevel& level = testLevels()[0];
    struct World
    {
        std::vector<std::string> map;
        cor::Vector origin;
        char marker;
        std::string colour;
    };
    const World worlds[] = {{mapRows('R', level.redStart, level.redExit), {4, 5}, 'R', "red"},
                            {mapRows('B', level.blueStart, level.blueExit), {57, 5}, 'B', "blue"}};

    // Expected objects in creation order: row by row, red map first.
    struct Expected
    {
        std::string type;
        cor::Vector position;
        std::string label;
        cor::Solidness solidness;
        int altitude;
    };
    std::vector<Expected> expected;
    for (const World& world : worlds)
        for (std::size_t row = 0; row < world.map.size(); ++row)
            for (std::size_t column = 0; column < world.map[row].size(); ++column)
            {
                const cor::Vector at(world.origin.x + static_cast<float>(column),
                                     world.origin.y + static_cast<float>(row));
                const char cell = world.map[row][column];
                if (cell == '#')
                    expected.push_back({"wall", at, world.colour + "-wall", cor::BLOCKING, 0});
                else if (cell == 'E')
                    expected.push_back({"exit", at, world.colour + "-exit", cor::INTANGIBLE, 1});
                else if (cell == world.marker)
                    expected.push_back({"player", at, world.colour + "-player", cor::BLOCKING, 2});
            }

    std::vector<const cor::Object*> placed;
    const cor::FixedObjectList all = cor::WorldManager::instance().allObjects();
    for (std::int32_t i = 0; i < all.count(); ++i)
        if (dynamic_cast<const PuzzleObject*>(all[i]) != nullptr)
            placed.push_back(all[i]);
    ASSERT_EQ(placed.size(), expected.size());
    for (std::size_t i = 0; i < placed.size(); ++i)
    {
        SCOPED_TRACE("object " + std::to_string(i));
        EXPECT_EQ(placed[i]->typeName(), expected[i].type);
        EXPECT_EQ(placed[i]->position(), expected[i].position);
        EXPECT_EQ(placed[i]->solidness(), expected[i].solidness);
        EXPECT_EQ(placed[i]->altitude(), expected[i].altitude);
        EXPECT_EQ(placed[i]->animation().sprite(),
                  cor::ResourceManager::instance().findSprite(expected[i].label));
        EXPECT_EQ(placed[i]->box().corner, cor::Vector(-0.4f, -0.4f));
        EXPECT_EQ(placed[i]->box().width, 0.8f);
        EXPECT_EQ(placed[i]->box().height, 0.8f);
    }
    EXPECT_EQ(m_controller->redExit(), redCell(level.redExit));
    EXPECT_EQ(m_controller->blueExit(), blueCell(level.blueExit));
    EXPECT_EQ(m_controller->steps(), 0);
    EXPECT_TRUE(boardVisible);
}

TEST_F(ControllerTest, EveryMoveKeyMovesBothOneCellAndCountsOneStep)
{
    start();
    enterLevelOne();
    const TestLevel& level = testLevels()[0];
    const auto redMap = mapRows('R', level.redStart, level.redExit);
    const auto blueMap = mapRows('B', level.blueStart, level.blueExit);
    int steps = 0;
    // LEFT stops red alone at its wall, A then stops both: blocked moves count too.
    const std::vector<cor::Key> keys = {cor::LEFT, cor::A, cor::RIGHT, cor::D,  cor::UP, cor::DOWN,
                                        cor::W,    cor::S, cor::DOWN,  cor::UP, cor::S,  cor::W};
    for (cor::Key key : keys)
    {
        SCOPED_TRACE("key " + std::to_string(key));
        const cor::Vector red = m_controller->redPlayer()->position();
        const cor::Vector blue = m_controller->bluePlayer()->position();
        press(key);
        ++steps;
        EXPECT_EQ(m_controller->redPlayer()->position(),
                  expectedMove(redMap, {4, 5}, red, delta(key)));
        EXPECT_EQ(m_controller->bluePlayer()->position(),
                  expectedMove(blueMap, {57, 5}, blue, delta(key)));
        EXPECT_EQ(m_controller->steps(), steps);
        EXPECT_EQ(m_controller->state(), Playing);
    }
    // Releasing a key moves nothing and counts nothing.
    const cor::Vector red = m_controller->redPlayer()->position();
    frame({{cor::RIGHT, cor::RELEASE}, {cor::D, cor::RELEASE}});
    EXPECT_EQ(m_controller->redPlayer()->position(), red);
    EXPECT_EQ(m_controller->steps(), steps);
}

TEST_F(ControllerTest, OneCharacterOnItsExitIsNotACompletion)
{
    start();
    enterLevelOne();
    const TestLevel& level = testLevels()[0];
    const int distance = level.redExit.column - level.redStart.column;
    for (int i = 0; i < distance; ++i)
        press(cor::RIGHT);
    EXPECT_EQ(m_controller->redPlayer()->position(), m_controller->redExit());
    EXPECT_NE(m_controller->bluePlayer()->position(), m_controller->blueExit());
    EXPECT_EQ(m_controller->state(), Playing);
    EXPECT_EQ(m_controller->totalSteps(), 0);
    press(cor::RIGHT); // the exit does not hold the character
    EXPECT_NE(m_controller->redPlayer()->position(), m_controller->redExit());
    EXPECT_EQ(m_controller->state(), Playing);
}

TEST_F(ControllerTest, CompletionPausesThenShowsTheLevelCompleteScreenAndBlinks)
{
    start();
    enterLevelOne();
    const int wasted = 3;
    solveCurrentLevel(wasted);
    const int solved = wasted + static_cast<int>(testLevels()[0].solution.size());
    EXPECT_EQ(m_controller->levelSteps(), solved);
    EXPECT_EQ(m_controller->totalSteps(), solved);
    EXPECT_EQ(m_controller->steps(), solved);
    EXPECT_EQ(m_controller->pendingFrames(), 0);
    EXPECT_TRUE(boardVisible);

    // The pause ignores moves, Enter, Escape and I; each of these frames counts towards it.
    const cor::Vector red = m_controller->redPlayer()->position();
    const std::vector<cor::Key> ignored = {cor::LEFT,  cor::A,      cor::UP,
                                           cor::ENTER, cor::ESCAPE, cor::I};
    for (cor::Key key : ignored)
        press(key);
    EXPECT_EQ(m_controller->redPlayer()->position(), red);
    EXPECT_EQ(m_controller->steps(), solved);
    EXPECT_EQ(m_controller->level(), 1);

    const int pause = pauseFrames();
    for (int i = static_cast<int>(ignored.size()); i < pause - 1; ++i)
        frame();
    EXPECT_EQ(m_controller->state(), LevelCompletePending);
    EXPECT_EQ(m_controller->pendingFrames(), pause - 1);
    EXPECT_TRUE(boardVisible);
    frame();
    EXPECT_EQ(m_controller->state(), LevelComplete);
    EXPECT_FALSE(boardVisible);
    EXPECT_EQ(m_controller->blinkCounter(), 1);

    // Once per frame, wrapping after 29; moves and releases change nothing.
    for (int i = 2; i < 62; ++i)
    {
        frame({{cor::RIGHT}, {cor::ENTER, cor::RELEASE}, {cor::R, cor::RELEASE}});
        ASSERT_EQ(m_controller->blinkCounter(), i % 30);
    }
    EXPECT_EQ(m_controller->state(), LevelComplete);
    EXPECT_EQ(m_controller->redPlayer()->position(), red);
    EXPECT_EQ(m_controller->totalSteps(), solved);
    EXPECT_EQ(countOfType("player"), 2);
}

TEST_F(ControllerTest, ReplayTakesTheAttemptOutOfTheTotalRestartKeepsIt)
{
    start();
    enterLevelOne();
    const TestLevel& level = testLevels()[0];
    solveCurrentLevel(20 - static_cast<int>(level.solution.size()));
    EXPECT_EQ(m_controller->totalSteps(), 20);
    waitForLevelComplete();
    ASSERT_EQ(m_controller->state(), LevelComplete);

    press(cor::R);
    EXPECT_EQ(m_controller->state(), Playing);
    EXPECT_EQ(m_controller->totalSteps(), 0);
    EXPECT_EQ(m_controller->steps(), 0);
    EXPECT_EQ(m_controller->levelSteps(), 0);
    EXPECT_EQ(m_controller->blinkCounter(), 0);
    EXPECT_TRUE(boardVisible);
    EXPECT_EQ(m_controller->redPlayer()->position(), redCell(level.redStart));
    EXPECT_EQ(m_controller->bluePlayer()->position(), blueCell(level.blueStart));

    // R during the pause does the same.
    solveCurrentLevel(1);
    const int second = 1 + static_cast<int>(level.solution.size());
    EXPECT_EQ(m_controller->totalSteps(), second);
    frame();
    press(cor::R);
    EXPECT_EQ(m_controller->state(), Playing);
    EXPECT_EQ(m_controller->totalSteps(), 0);
    EXPECT_EQ(m_controller->pendingFrames(), 0);

    solveCurrentLevel();
    const auto total = static_cast<std::int32_t>(level.solution.size());
    EXPECT_EQ(m_controller->totalSteps(), total);
    EXPECT_EQ(countOfType("player"), 2);

    // R while playing restarts the level but keeps the total of the levels before.
    waitForLevelComplete();
    press(cor::ENTER);
    ASSERT_EQ(m_controller->level(), 2);
    press(cor::RIGHT);
    press(cor::DOWN);
    EXPECT_EQ(m_controller->steps(), 2);
    press(cor::R);
    EXPECT_EQ(m_controller->state(), Playing);
    EXPECT_EQ(m_controller->steps(), 0);
    EXPECT_EQ(m_controller->totalSteps(), total);
    EXPECT_EQ(m_controller->redPlayer()->position(), redCell(testLevels()[1].redStart));
    EXPECT_EQ(m_controller->bluePlayer()->position(), blueCell(testLevels()[1].blueStart));
}

class QuitFromScreen : public GameSession, public ::testing::WithParamInterface<GameState>
{
};

TEST_P(QuitFromScreen, QQuitsOnceAndNothingElseHappensAfter)
{
    start();
    reachState(GetParam());
    ASSERT_EQ(m_controller->state(), GetParam());
    const std::int32_t players = countOfType("player");
    const std::int32_t total = m_controller->totalSteps();

    press(cor::Q);
    EXPECT_EQ(m_controller->state(), Quitting);
    EXPECT_FALSE(boardVisible);
    EXPECT_EQ(m_controller->titleScreen(), nullptr);
    EXPECT_EQ(countOfType("title-screen"), 0);
    EXPECT_EQ(countOfType("quit-animation"), 1);
    // The level's objects stay; they are only hidden.
    EXPECT_EQ(countOfType("player"), players);

    for (cor::Key key : {cor::Q, cor::ENTER, cor::ESCAPE, cor::I, cor::R, cor::LEFT})
        press(key);
    EXPECT_EQ(m_controller->state(), Quitting);
    EXPECT_EQ(countOfType("quit-animation"), 1);
    EXPECT_EQ(countOfType("title-screen"), 0);
    EXPECT_EQ(m_controller->totalSteps(), total);
    EXPECT_FALSE(cor::GameManager::instance().isGameOver());

    cor::EventKeyboard q;
    q.setKey(cor::Q);
    q.setAction(cor::PRESS);
    EXPECT_EQ(m_controller->handleEvent(&q), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, QuitFromScreen,
                         ::testing::Values(Title, Story, HowToPlay, Playing, LevelCompletePending,
                                           LevelComplete, Won));

struct QuitArt
{
    int frames; // of the game-over art; 0: none loaded
    int slowdown;
    cor::Key toLeaveTheTitle; // the screen Q is pressed on
};

class QuitAnimationTest : public GameSession, public ::testing::WithParamInterface<QuitArt>
{
};

TEST_P(QuitAnimationTest, EndsTheGameAfterOnePassThroughTheArtOrAtTheNextStepWithout)
{
    const QuitArt art = GetParam();
    start({art.frames, art.slowdown, false});
    press(art.toLeaveTheTitle);
    press(cor::Q);
    ASSERT_EQ(countOfType("quit-animation"), 1);
    EXPECT_EQ(countOfType("title-screen"), 0);
    const auto* animation = dynamic_cast<const QuitAnimation*>(
        cor::WorldManager::instance().findObjectsByType("quit-animation")[0]);
    ASSERT_NE(animation, nullptr);
    const int frames = std::max(1, art.frames * art.slowdown);
    if (frames > 1)
    {
        EXPECT_EQ(animation->countdown(), frames);
        EXPECT_EQ(animation->position(), cor::Vector(40, 12));
        EXPECT_EQ(animation->altitude(), 4);
        EXPECT_EQ(animation->solidness(), cor::INTANGIBLE);
    }
    for (int i = 1; i < frames; ++i)
    {
        frame();
        ASSERT_FALSE(cor::GameManager::instance().isGameOver()) << "frame " << i;
        ASSERT_EQ(countOfType("quit-animation"), 1);
    }
    EXPECT_FALSE(cor::GameManager::instance().isGameOver());
    frame();
    EXPECT_TRUE(cor::GameManager::instance().isGameOver());
    EXPECT_EQ(countOfType("quit-animation"), 0);
}

INSTANTIATE_TEST_SUITE_P(Art, QuitAnimationTest,
                         ::testing::Values(QuitArt{5, 4, cor::ENTER}, QuitArt{0, 0, cor::SPACE},
                                           QuitArt{3, 0, cor::I}));

TEST_F(ControllerTest, StoryEnterMovesTheMusicToThePlayLoop)
{
    start({5, 4, true});
    cor::Music* music = cor::ResourceManager::instance().findMusic("bgm");
    ASSERT_NE(music, nullptr);
    // What the program sets at start-up.
    cor::sfml::setMusicLoopPoints(music->stream(), 0.077f, 17.775f);
    const float sample = 1.0f / static_cast<float>(MUSIC_SAMPLE_RATE);
    float offset = 0;
    float length = 0;

    press(cor::ENTER);
    press(cor::ESCAPE);
    press(cor::ENTER);
    cor::sfml::musicLoopPoints(music->stream(), offset, length);
    EXPECT_NEAR(offset, 0.077f, sample);
    EXPECT_NEAR(length, 17.775f, sample);

    press(cor::ENTER);
    ASSERT_EQ(m_controller->state(), Playing);
    cor::sfml::musicLoopPoints(music->stream(), offset, length);
    EXPECT_NEAR(offset, 17.852f, sample);
    EXPECT_NEAR(length, 155.048f, sample);
    EXPECT_NEAR(offset + length, 172.9f, 2 * sample);
}

int keyResult(HalvrenController* controller, cor::Key key)
{
    cor::EventKeyboard event;
    event.setKey(key);
    event.setAction(cor::PRESS);
    return controller->handleEvent(&event);
}

TEST_F(ControllerTest, ResultsTellWhetherTheControllerActed)
{
    start();
    const cor::Event undefinedEvent;
    const cor::EventStep step(1);
    EXPECT_EQ(keyResult(m_controller, cor::ENTER), 0); // the title object's key
    EXPECT_EQ(m_controller->handleEvent(&undefinedEvent), 0);
    enterLevelOne();
    EXPECT_EQ(m_controller->handleEvent(&undefinedEvent), 0);
    EXPECT_EQ(m_controller->handleEvent(&step), 0); // nothing to count while playing
    EXPECT_EQ(keyResult(m_controller, cor::ENTER), 0);
    EXPECT_EQ(keyResult(m_controller, cor::ESCAPE), 0);
    EXPECT_EQ(keyResult(m_controller, cor::I), 0);
    EXPECT_EQ(keyResult(m_controller, cor::A), 1); // blocked or not, a move was made
    EXPECT_EQ(keyResult(m_controller, cor::A), 1);
    EXPECT_EQ(keyResult(m_controller, cor::R), 1);
    solveCurrentLevel();
    EXPECT_EQ(keyResult(m_controller, cor::RIGHT), 0);
    EXPECT_EQ(keyResult(m_controller, cor::ENTER), 0);
    EXPECT_EQ(m_controller->handleEvent(&step), 1);
    waitForLevelComplete();
    EXPECT_EQ(m_controller->handleEvent(&step), 0);
    EXPECT_EQ(keyResult(m_controller, cor::RIGHT), 0);
    EXPECT_EQ(keyResult(m_controller, cor::Q), 1);
    EXPECT_EQ(m_controller->handleEvent(&step), 1);
    EXPECT_EQ(keyResult(m_controller, cor::SPACE), 1);
    EXPECT_EQ(m_controller->handleEvent(&undefinedEvent), 0);
}

} // namespace
} // namespace gametest
