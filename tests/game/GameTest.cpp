// The game as the program starts it, frame by frame as the game loop makes them: keys that act
// within one frame, completions and their pause, quitting and the music. What each screen shows
// and which keys it takes, the end-to-end run reads off the window.
#include "GameData.h"
#include "HalvrenController.h"
#include "LevelSolver.h"
#include "MoveKeys.h"
#include "MusicLoops.h"
#include "TestSupport.h"
#include "Timeline.h"

#include <BoardVisibility.h>
#include <PuzzleObject.h>

#include <cor/EventKeyboard.h>
#include <cor/EventStep.h>
#include <cor/GameManager.h>
#include <cor/ResourceManager.h>
#include <cor/WorldManager.h>

using namespace testsupport;

namespace
{

class GameTest : public EngineFixture
{
protected:
    // Starts the game as the program does.
    void start()
    {
        ASSERT_TRUE(loadGameData());
        startMenuMusic();
        boardVisible = true;
        game = new HalvrenController;
    }
    // One frame as the game loop makes it, without drawing: step, keys, deletion pass.
    void frame(const std::vector<cor::Key>& keys = {})
    {
        cor::WorldManager& world = cor::WorldManager::instance();
        world.broadcast(cor::EventStep(frameNumber++));
        cor::EventKeyboard event;
        event.setAction(cor::PRESS);
        for (const cor::Key key : keys)
        {
            event.setKey(key);
            world.broadcast(event);
        }
        world.updateWorld();
    }
    // Plays the solver's shortest solution of the current level.
    void solve()
    {
        for (const char key :
             solveLevel(levelTable.at(std::size_t(game->level() - 1)), MoveSet::Any).keys)
            frame({moveOfLetter(key)->letterKey});
    }
    static int countOf(const std::string& type)
    {
        return cor::WorldManager::instance().findObjectsByType(type).count();
    }
    // Frames from pressing Q on the title until the game is over; keys meanwhile change nothing.
    int framesToQuit()
    {
        int frames = 0;
        for (frame({cor::Q}); !cor::GameManager::instance().isGameOver() && frames < 1000; ++frames)
        {
            EXPECT_EQ(countOf("quit-animation"), 1);
            frame({cor::Q, cor::ENTER, cor::R});
        }
        EXPECT_EQ(countOf("quit-animation"), 0);
        return frames;
    }

    cor::ResourceManager& resources = cor::ResourceManager::instance();
    HalvrenController* game = nullptr;
    int frameNumber = 0;
};

} // namespace

TEST_F(GameTest, TheTitleNamesItsKeysWhichActInTurnWithinOneFrame)
{
    start();
    const cor::Sprite* title = resources.findSprite("halvren-title");
    for (std::int32_t i = 0; i < title->frameCount(); ++i)
        for (const char* key : {"ENTER", "[I]", "[Q]"})
            EXPECT_NE(title->frame(i).text().find(key), std::string::npos) << key << " " << i;
    // Once the title has let the player through, its later keys belong to the story.
    const std::pair<std::vector<cor::Key>, GameState> frames[] = {
        {{cor::ENTER, cor::I}, Story},
        {{cor::ESCAPE, cor::I, cor::ESCAPE, cor::ENTER, cor::ENTER}, Playing},
        {{cor::D, cor::D, cor::R, cor::D}, Playing}};
    for (const auto& [keys, after] : frames)
    {
        frame(keys);
        ASSERT_EQ(game->state(), after) << "frame " << frameNumber;
        EXPECT_EQ(countOf("title-screen"), 0) << "frame " << frameNumber;
    }
    EXPECT_EQ(game->steps(), 1);
}

TEST_F(GameTest, ACompletionPausesForOneAndAHalfSecondsThenBlinks)
{
    start();
    frame({cor::ENTER, cor::ENTER});
    solve();
    const int frameTime = cor::GameManager::instance().frameTimeMs();
    for (int i = 1; i < (1500 + frameTime - 1) / frameTime; ++i)
        frame();
    EXPECT_EQ(game->state(), LevelCompletePending);
    frame();
    EXPECT_EQ(game->state(), LevelComplete);
    EXPECT_EQ(game->blinkCounter(), 1); // a 30-frame cycle; end to end only its on/off ratio
    for (int i = 1; i < 30; ++i)
        frame({cor::RIGHT});
    EXPECT_EQ(game->blinkCounter(), 0);
}

TEST_F(GameTest, AMoveInTheFrameOfEnterMeetsOnlyTheNextLevelsWalls)
{
    start();
    frame({cor::ENTER, cor::ENTER});
    for (const cor::Key key : {cor::RIGHT, cor::DOWN, cor::UP, cor::LEFT})
    {
        solve();
        while (game->state() == LevelCompletePending)
            frame();
        frame({cor::ENTER, key});
        const cor::Vector red = game->redPlayer()->position();
        const cor::Vector blue = game->bluePlayer()->position();
        frame({cor::R});
        frame({key});
        EXPECT_EQ(game->redPlayer()->position(), red) << "level " << game->level();
        EXPECT_EQ(game->bluePlayer()->position(), blue) << "level " << game->level();
        frame({cor::R});
    }
}

TEST_F(GameTest, QuittingPlaysTheGameOverArtOnceForOneToTwoSeconds)
{
    start();
    const cor::Sprite* art = resources.findSprite("gameover");
    const int frames = framesToQuit();
    EXPECT_EQ(frames, art->frameCount() * art->slowdown());
    EXPECT_TRUE(frames >= 30 && frames <= 60); // a second or two
}

TEST_F(GameTest, WithoutGameOverArtQuittingEndsAtTheNextStep)
{
    start();
    ASSERT_EQ(resources.initialize(), 0); // an empty table
    EXPECT_EQ(framesToQuit(), 1);
}

TEST_F(GameTest, TheMusicPlaysLoopingTheMenuRegionUntilTheStoryStartsTheFirstLevel)
{
    start();
    const cor::Music& music = *resources.findMusic(MUSIC_LABEL);
    EXPECT_TRUE(music.playing());
    EXPECT_TRUE(music.looping());
    for (const cor::Key key : {cor::ENTER, cor::ESCAPE, cor::I, cor::ESCAPE, cor::ENTER})
        frame({key});
    EXPECT_NEAR(music.loopOffset(), MENU_MUSIC_LOOP.start, 1.0 / musicgen::SAMPLE_RATE);
    EXPECT_NEAR(music.loopOffset() + music.loopLength(), MENU_MUSIC_LOOP.end,
                2.0 / musicgen::SAMPLE_RATE);
    frame({cor::ENTER});
    EXPECT_NEAR(music.loopOffset(), PLAY_MUSIC_LOOP.start, 1.0 / musicgen::SAMPLE_RATE);
    EXPECT_NEAR(music.loopOffset() + music.loopLength(), PLAY_MUSIC_LOOP.end,
                2.0 / musicgen::SAMPLE_RATE);
}
