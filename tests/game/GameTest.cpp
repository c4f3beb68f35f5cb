// The game as the program starts it, run by the real game loop with real key presses: a player
// object presses each line of a script from its step handler, once the keys before have come
// and the game is in the line's state, and notes at each draw what the frame shows; a key
// belongs to the frame that polled it. What the screens show, the end-to-end run reads.
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

#include <algorithm>
#include <cctype>
#include <iterator>
#include <sstream>

using namespace testsupport;

namespace
{

// What one frame showed.
struct Shown
{
    GameState state;
    int steps;
    cor::Vector red, blue;     // the characters, while a level is built
    int titles, quitArt;       // title and game-over objects
    double loopStart, loopEnd; // the music's loop region
};

// Each frame, and for each line of the script the frame that polled its last key.
struct Played
{
    std::vector<Shown> frames;
    std::vector<std::size_t> arrivals;
    const Shown& after(std::size_t line) const { return frames.at(arrivals.at(line)); }
    std::size_t count(bool (*in)(const Shown&)) const
    {
        return std::size_t(std::count_if(frames.begin(), frames.end(), in));
    }
};

struct NoSleep : cor::FrameTimer // frames as fast as they come: the real loop, its sleep left out
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
    // Starts the game as the program does.
    void start()
    {
        ASSERT_TRUE(loadGameData());
        startMenuMusic();
        boardVisible = true;
        game = new HalvrenController;
    }
    // Runs the game until it ends; each line of the script is (a GameState or -1, keys).
    Played play(const std::vector<std::pair<int, std::string>>& script)
    {
        Played played;
        std::size_t next = 0;
        std::ptrdiff_t pressed = 0, awaited = 0;
        auto* player = new Recorder;
        player->setAltitude(cor::HIGHEST_ALTITUDE); // drawn once the frame is complete
        player->onEvent = [&](const cor::Event& event)
        {
            const auto* key = dynamic_cast<const cor::EventKeyboard*>(&event);
            if (key && key->action() == cor::PRESS && ++pressed == awaited)
                played.arrivals.push_back(played.frames.size());
            if (event.typeName() == cor::EVENT_TYPE_STEP && played.frames.size() > 3000)
                cor::GameManager::instance().endGame(); // the keys stopped coming
            else if (event.typeName() == cor::EVENT_TYPE_STEP && pressed == awaited &&
                     next < script.size() &&
                     (script[next].first < 0 || script[next].first == game->state()))
            {
                std::istringstream words(script[next].second);
                awaited += std::distance(std::istream_iterator<std::string>(words), {});
                pressKeys(script[next++].second);
            }
        };
        player->onDraw = [&]
        {
            const auto at = [](const PuzzleObject* o) { return o ? o->position() : cor::Vector(); };
            const cor::Music* music = cor::ResourceManager::instance().findMusic(MUSIC_LABEL);
            const auto count = [](const char* type)
            { return cor::WorldManager::instance().findObjectsByType(type).count(); };
            played.frames.push_back({game->state(), game->steps(), at(game->redPlayer()),
                                     at(game->bluePlayer()), count("title-screen"),
                                     count("quit-animation"), music ? music->loopOffset() : 0,
                                     music ? music->loopOffset() + music->loopLength() : 0});
        };
        focusEngineWindow();
        cor::GameManager::instance().run();
        player->onEvent = nullptr;
        player->onDraw = nullptr;
        EXPECT_EQ(played.arrivals.size(), script.size()) << "the keys stopped coming";
        return played;
    }

    NoSleep noSleep;
    HalvrenController* game = nullptr;
};

} // namespace

TEST_F(GameTest, TheTitlesKeysActInTurnWithinOneFrameAndTheMusicLoopsItsMenuRegionUntilPlay)
{
    start();
    const cor::Sprite* title = cor::ResourceManager::instance().findSprite("halvren-title");
    for (const char* key : {"ENTER", "[I]", "[Q]"}) // the title names its keys
        EXPECT_NE(title->frame(0).text().find(key), std::string::npos) << key;
    // Once the title has let the player through, its later keys belong to the story.
    const Played played = play(
        {{Title, "Return i"}, {-1, "Escape i Escape Return"}, {-1, "Return d d r d"}, {-1, "q"}});
    for (const std::size_t line : {0, 1})
        EXPECT_TRUE(played.after(line).state == Story && played.after(line).titles == 0) << line;
    EXPECT_TRUE(played.after(2).state == Playing && played.after(2).steps == 1);
    // Loop points are kept in whole samples.
    for (const auto& [line, loop] : {std::pair(1, "menu_loop"), std::pair(2, "play_loop")})
    {
        EXPECT_NEAR(played.after(line).loopStart, fact(loop, 0), 1e-4) << loop;
        EXPECT_NEAR(played.after(line).loopEnd, fact(loop, 1), 1e-4) << loop;
    }
    const cor::Music* music = cor::ResourceManager::instance().findMusic(MUSIC_LABEL);
    EXPECT_TRUE(music->playing() && music->looping());
}

TEST_F(GameTest, ACompletionPausesAMoveWithEnterMeetsTheNextLevelAndTheArtPlaysOnceToTheEnd)
{
    // Game-over art whose length the test knows: frames and slowdown.
    std::string art = std::to_string(int(fact("quit_art", 0))) + "\n1\n1\n" +
                      std::to_string(int(fact("quit_art", 1))) + "\nred\n";
    for (int i = 0; i < int(fact("quit_art", 0)); ++i)
        art += std::to_string(i) + "\n";
    writeFile("assets/gameover.txt", art);
    start();
    std::string solution; // level 1's shortest, in xdotool's key names
    for (const char key : solveLevel(levelTable[0], MoveSet::Any).keys)
        solution += std::string(1, char(std::tolower(key))) + " ";
    const Played played = play({{Title, "Return Return"},
                                {Playing, solution},
                                {LevelComplete, "Return Right"},
                                {-1, "r"},
                                {-1, "Right"},
                                {-1, "q"},
                                {Quitting, "q r"}});
    // The pause runs from the frame of the last move; Enter waits for LevelComplete.
    const auto pause = std::size_t(fact("completion_pause_frames"));
    EXPECT_EQ(played.after(1).state, LevelCompletePending);
    EXPECT_EQ(played.count([](const Shown& f) { return f.state == LevelCompletePending; }), pause);
    EXPECT_NE(played.frames.at(played.arrivals.at(1) + pause).state, LevelCompletePending);
    // The old level's walls, still listed in the frame of Enter, stop nothing.
    EXPECT_TRUE(played.after(2).red == played.after(4).red &&
                played.after(2).blue == played.after(4).blue);
    // The art shows from the frame of Q on, once; the game ends in the quit_art-th frame after.
    const auto end = std::size_t(fact("quit_art", 2));
    EXPECT_EQ(played.after(5).quitArt, 1);
    EXPECT_EQ(played.count([](const Shown& f) { return f.quitArt > 0; }), end);
    EXPECT_EQ(played.frames.size() - 1 - played.arrivals.at(5), end);
}

TEST_F(GameTest, WithoutGameOverArtQuittingEndsTheGameInTheNextFrame)
{
    start();
    ASSERT_EQ(cor::ResourceManager::instance().initialize(), 0); // an empty table
    const Played played = play({{Title, "q"}});
    EXPECT_EQ(played.frames.size() - 1, played.arrivals.at(0) + 1);
}
