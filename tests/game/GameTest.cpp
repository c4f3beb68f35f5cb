// The game as the program starts it, run by the real game loop with real key presses. A player
// object in the world presses each line of its script from its step handler, once the keys of
// the line before have arrived and the game is in the line's state, and notes at each draw what
// the frame shows; a key belongs to the frame that polled it. What each screen shows and which
// keys it takes, the end-to-end run reads off the window.
#include "GameData.h"
#include "HalvrenController.h"
#include "LevelSolver.h"
#include "TestSupport.h"

#include <BoardVisibility.h>
#include <PuzzleObject.h>

#include <cor/EventKeyboard.h>
#include <cor/FrameTimer.h>
#include <cor/GameManager.h>
#include <cor/ResourceManager.h>
#include <cor/WorldManager.h>

#include <cctype>
#include <sstream>

using namespace testsupport;

namespace
{

// What one frame showed.
struct Shown
{
    GameState state;
    int steps;
    cor::Vector red, blue; // the characters, while a level is built
    int titles, quitArt;   // title and game-over objects
    double loopStart, loopEnd;
};

struct Line
{
    int state; // the GameState to wait for, or -1
    std::string keys;
};

int countOf(const std::string& type)
{
    return cor::WorldManager::instance().findObjectsByType(type).count();
}

class Player : public cor::Object
{
public:
    Player(const HalvrenController* game, std::vector<Line> script)
        : m_game(game), m_script(std::move(script))
    {
        setSolidness(cor::INTANGIBLE);
        setAltitude(cor::HIGHEST_ALTITUDE);
    }
    int handleEvent(const cor::Event* event) override
    {
        const auto* key = dynamic_cast<const cor::EventKeyboard*>(event);
        if (key && key->action() == cor::PRESS && ++m_pressed == m_awaited)
            arrivals.push_back(frames.size());
        if (event->typeName() != cor::EVENT_TYPE_STEP)
            return 0;
        if (frames.size() > 3000) // the keys stopped coming
            cor::GameManager::instance().endGame();
        if (m_pressed == m_awaited && m_next < m_script.size() &&
            (m_script[m_next].state < 0 || m_script[m_next].state == m_game->state()))
        {
            std::istringstream words(m_script[m_next].keys);
            m_awaited += std::distance(std::istream_iterator<std::string>(words), {});
            pressKeys(m_script[m_next++].keys);
        }
        return 0;
    }
    int draw() override
    {
        const auto at = [](const PuzzleObject* o) { return o ? o->position() : cor::Vector(); };
        const cor::Music* music = cor::ResourceManager::instance().findMusic(MUSIC_LABEL);
        frames.push_back({m_game->state(), m_game->steps(), at(m_game->redPlayer()),
                          at(m_game->bluePlayer()), countOf("title-screen"),
                          countOf("quit-animation"), music ? music->loopOffset() : 0,
                          music ? music->loopOffset() + music->loopLength() : 0});
        return 0;
    }

    std::vector<Shown> frames;
    std::vector<std::size_t> arrivals; // for each line, the frame that polled its last key

private:
    const HalvrenController* m_game;
    std::vector<Line> m_script;
    std::size_t m_next = 0;
    std::ptrdiff_t m_pressed = 0, m_awaited = 0;
};

// Frames as fast as they come: the loop is the real one, its sleep left out.
struct NoSleep : cor::FrameTimer
{
    void sleepMilliseconds(std::int32_t) override {}
};

class GameTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        cor::GameManager::instance().setFrameTimer(&noSleep);
        EngineFixture::SetUp();
    }
    // Starts the game as the program does; play() then runs it until it ends.
    void start()
    {
        ASSERT_TRUE(loadGameData());
        startMenuMusic();
        boardVisible = true;
        game = new HalvrenController;
    }
    Player& play(std::vector<Line> script)
    {
        auto* player = new Player(game, std::move(script));
        focusEngineWindow();
        cor::GameManager::instance().run();
        EXPECT_LE(player->frames.size(), 3000u) << "the keys stopped coming";
        return *player;
    }
    // The keys of the shortest solution of a level.
    static std::string solution(int level)
    {
        std::string keys;
        for (const char key : solveLevel(levelTable.at(std::size_t(level - 1)), MoveSet::Any).keys)
            keys += std::string(1, char(std::tolower(key))) + " ";
        return keys;
    }

    NoSleep noSleep;
    HalvrenController* game = nullptr;
};

} // namespace

TEST_F(GameTest, TheTitleNamesItsKeysWhichActInTurnWithinOneFrame)
{
    start();
    const cor::Sprite* title = cor::ResourceManager::instance().findSprite("halvren-title");
    for (std::int32_t i = 0; i < title->frameCount(); ++i)
        for (const char* key : {"ENTER", "[I]", "[Q]"})
            EXPECT_NE(title->frame(i).text().find(key), std::string::npos) << key << " " << i;
    // Once the title has let the player through, its later keys belong to the story.
    const Player& player = play({{Title, "Return i"},
                                 {-1, "Escape i Escape Return Return"},
                                 {Playing, "d d r d"},
                                 {-1, "q"}});
    ASSERT_EQ(player.arrivals.size(), 4u);
    const Shown& story = player.frames[player.arrivals[0]];
    const Shown& playing = player.frames[player.arrivals[1]];
    EXPECT_TRUE(story.state == Story && story.titles == 0);
    EXPECT_TRUE(playing.state == Playing && playing.titles == 0);
    EXPECT_EQ(player.frames[player.arrivals[2]].steps, 1);
}

TEST_F(GameTest, ACompletionPausesThenQuittingPlaysTheGameOverArtOnceAndEndsTheGame)
{
    // Game-over art whose length the test knows: frames and slowdown.
    const auto artFrames = int(fact("quit_art", 0)), slowdown = int(fact("quit_art", 1));
    std::string art = std::to_string(artFrames) + "\n1\n1\n" + std::to_string(slowdown) + "\nred\n";
    for (int i = 0; i < artFrames; ++i)
        art += std::to_string(i) + "\n";
    writeFile("assets/gameover.txt", art);
    start();
    const Player& player = play({{Title, "Return Return"},
                                 {Playing, solution(1)},
                                 {LevelComplete, "q"},
                                 {Quitting, "q Return r"}});
    ASSERT_EQ(player.arrivals.size(), 4u);
    const std::size_t solved = player.arrivals[1], quit = player.arrivals[2];
    const auto pause = std::size_t(fact("completion_pause_frames"));
    std::size_t pending = 0, shown = 0;
    for (const Shown& frame : player.frames)
    {
        pending += frame.state == LevelCompletePending;
        shown += frame.quitArt;
    }
    // The pause runs from the frame of the last move, its keys waiting for LevelComplete.
    EXPECT_EQ(player.frames[solved].state, LevelCompletePending);
    EXPECT_EQ(pending, pause);
    EXPECT_NE(player.frames.at(solved + pause).state, LevelCompletePending);
    // The art shows from the frame of Q on; the game ends in the quit_art-th frame after it.
    EXPECT_EQ(player.frames[quit].quitArt, 1);
    EXPECT_EQ(shown, std::size_t(fact("quit_art", 2)));
    EXPECT_EQ(player.frames.size() - 1 - quit, std::size_t(fact("quit_art", 2)));
}

TEST_F(GameTest, WithoutGameOverArtQuittingEndsTheGameInTheNextFrame)
{
    start();
    ASSERT_EQ(cor::ResourceManager::instance().initialize(), 0); // an empty table
    const Player& player = play({{Title, "q"}});
    ASSERT_EQ(player.arrivals.size(), 1u);
    EXPECT_EQ(player.frames.size() - 1, player.arrivals[0] + 1);
}

TEST_F(GameTest, AMoveInTheFrameOfEnterMeetsOnlyTheNextLevelsWalls)
{
    start();
    std::vector<Line> script = {{Title, "Return Return"}};
    const char* moves[] = {"Right", "Down", "Up", "Left"};
    for (int level = 1; level <= 4; ++level)
        script.insert(script.end(), {{Playing, solution(level)},
                                     {LevelComplete, std::string("Return ") + moves[level - 1]},
                                     {-1, "r"},
                                     {-1, moves[level - 1]},
                                     {-1, "r"}});
    script.push_back({-1, "q"});
    const Player& player = play(script);
    ASSERT_EQ(player.arrivals.size(), script.size());
    for (std::size_t line = 2; line < script.size() - 1; line += 5)
    {
        const Shown& entered = player.frames[player.arrivals[line]];
        const Shown& moved = player.frames[player.arrivals[line + 2]];
        EXPECT_TRUE(entered.red == moved.red && entered.blue == moved.blue) << "line " << line;
    }
}

TEST_F(GameTest, TheMusicLoopsTheMenuRegionUntilTheStoryStartsTheFirstLevel)
{
    start();
    const Player& player = play({{Title, "Return"},
                                 {Story, "Escape"},
                                 {Title, "i"},
                                 {HowToPlay, "Escape"},
                                 {Title, "Return"},
                                 {Story, "Return"},
                                 {Playing, "q"}});
    ASSERT_EQ(player.arrivals.size(), 7u);
    // Loop points are kept in whole samples.
    const double sample = 1e-4;
    for (const auto& [line, loop] : {std::pair(4, "menu_loop"), std::pair(5, "play_loop")})
    {
        const Shown& frame = player.frames[player.arrivals[std::size_t(line)]];
        EXPECT_NEAR(frame.loopStart, fact(loop, 0), sample) << loop;
        EXPECT_NEAR(frame.loopEnd, fact(loop, 1), sample) << loop;
    }
    const cor::Music* music = cor::ResourceManager::instance().findMusic(MUSIC_LABEL);
    EXPECT_TRUE(music->playing() && music->looping());
}
