// The halvren program itself, run in a directory of the test's own data files. The failures
// that the end-to-end scenarios already play (a missing music file or font) are not repeated.
#include "GameFiles.h"
#include "TestSupport.h"
#include "XTestSupport.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace gametest
{
namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path program = fs::path(HALVREN_RUN_DIR) / "halvren";

// Everything the game reads; the game-over art is one frame, so Q ends the game at once.
void writeAll(const fs::path& dir)
{
    fs::copy_file(fs::path(HALVREN_RUN_DIR) / "cor-font.ttf", dir / "cor-font.ttf");
    writeLevels(dir);
    for (const SpriteData& sprite : worldAndTitleSprites())
        writeSprite(dir, sprite);
    writeSprite(dir, gameoverSprite(1, 1));
    writeSilentMusic(dir / "sound/BGM/BGM.ogg", MUSIC_SECONDS);
}

class EntryTest : public ::testing::Test
{
protected:
    EntryTest() : m_dir(false) { writeAll(m_dir.path()); }

    std::string log() const { return testsupport::readFile(m_dir / "corvane.log"); }

    testsupport::TempDir m_dir;
};

struct StartFailure
{
    std::string name;
    std::function<void(const fs::path&)> spoil;
    std::string standardError;
    std::string log;
};

TEST(EntryFailureTest, BrokenDataStopsTheStartWithItsOwnMessageAndNothingAfterIt)
{
    const std::vector<StartFailure> failures = {
        // Row 4 of level 2's red map one cell short, and no sprite file at all: trying one
        // would log.
        {"broken level",
         [](const fs::path& dir)
         {
             std::string text = levelFileText(testLevels()[1]);
             std::size_t end = 0; // past the line of red row 4, the file's fifth line
             for (int line = 0; line < 5; ++line)
                 end = text.find('\n', end) + 1;
             text.erase(end - 2, 1);
             testsupport::writeFile(dir / "assets/levels/level-02.txt", text);
             for (const SpriteData& sprite : worldAndTitleSprites())
                 fs::remove(dir / sprite.file);
             fs::remove(dir / "assets/gameover.txt");
         },
         "Level data error in assets/levels/level-02.txt: red map row 4 has 18 cells; "
         "expected 19.\n",
         ""},
        // The sprites after the blue wall are broken too: were they tried, the log would say so.
        {"missing sprite",
         [](const fs::path& dir)
         {
             for (const char* name :
                  {"blue-wall", "red-exit", "blue-exit", "halvren-title", "gameover"})
                 fs::remove(dir / (std::string("assets/") + name + ".txt"));
         },
         "", "ResourceManager::loadSprite(): unable to open file 'assets/blue-wall.txt'.\n"},
        {"broken sprite",
         [](const fs::path& dir)
         { testsupport::writeFile(dir / "assets/red-exit.txt", "1\n1\n1\n1\nRed\nO\n"); },
         "", "ResourceManager::loadSprite(): error line 5. Unrecognized color 'Red'.\n"},
    };
    for (const StartFailure& failure : failures)
    {
        SCOPED_TRACE(failure.name);
        testsupport::TempDir dir(false);
        writeAll(dir.path());
        failure.spoil(dir.path());

        const testsupport::RunResult result = testsupport::runProgram(program, {}, dir.path(), 30);
        EXPECT_EQ(result.exitCode, testsupport::EXIT_MINUS_ONE);
        EXPECT_EQ(result.standardError, failure.standardError);
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_EQ(testsupport::readFile(dir / "corvane.log"), failure.log);
    }
}

TEST_F(EntryTest, TestFollowedByMoreArgumentsRunsTheSelfCheck)
{
    const testsupport::RunResult result =
        testsupport::runProgram(program, {"--test", "--TEST", "extra"}, m_dir.path(), 30);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(log(), "");
}

class GameStart : public EntryTest, public ::testing::WithParamInterface<std::vector<std::string>>
{
};

TEST_P(GameStart, RunsTheGameUntilQ)
{
    // A display of the test's own, so that no other test's window takes the keys.
    ASSERT_TRUE(xtest::usePrivateDisplay()) << "Xvfb did not start";
    // A server whose last client leaves resets and refuses the connections made meanwhile;
    // this one stays connected while the game and xdotool's calls come and go.
    // The first connection may itself meet the reset after the server's readiness check.
    std::unique_ptr<Display, int (*)(Display*)> keeper(nullptr, XCloseDisplay);
    for (int attempt = 0; attempt < 100 && !keeper; ++attempt)
    {
        keeper.reset(XOpenDisplay(nullptr));
        if (!keeper)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(keeper, nullptr);
    // Run in the background, so that the test can play it through its window.
    auto game =
        std::async(std::launch::async, [this]
                   { return testsupport::runProgram(program, GetParam(), m_dir.path(), 60); });
    auto running = [&game](std::chrono::milliseconds wait)
    { return game.wait_for(wait) == std::future_status::timeout; };
    std::string window;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (window.empty() && Clock::now() < deadline && running(std::chrono::milliseconds(0)))
        window = xtest::findWindow("Corvane");
    EXPECT_NE(window, "") << "no window";
    // The game waits for the player; the self-check would have ended by itself.
    EXPECT_TRUE(running(std::chrono::seconds(1)));
    // Repeated, in case the first press arrives before the window takes keys.
    for (int attempt = 0; attempt < 20 && !window.empty() && running(std::chrono::seconds(1));
         ++attempt)
        xtest::xdotool({"key", "--window", window, "q"});
    const testsupport::RunResult result = game.get();
    EXPECT_EQ(result.exitCode, 0);
    // A game that ran writes nothing: no self-check report, no failure, no console output.
    EXPECT_EQ(log(), "");
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(result.standardOutput, "");
}

INSTANTIATE_TEST_SUITE_P(Arguments, GameStart,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"-test"},
                                           std::vector<std::string>{"--TEST"},
                                           std::vector<std::string>{"--test ", "--test"}));

} // namespace
} // namespace gametest
