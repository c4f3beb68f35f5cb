// The halvren program itself, run in a directory of the test's own data files. The failures
// that the end-to-end scenarios already play (a missing music file or font) are not repeated.
#include "GameFiles.h"
#include "TestSupport.h"
#include "XTestSupport.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace gametest
{
namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path program = fs::path(HALVREN_RUN_DIR) / "halvren";

// The game started in the background, so that the test can play it through its window.
class RunningGame
{
public:
    RunningGame(const fs::path& dir, const std::vector<std::string>& arguments)
    {
        m_pid = fork();
        if (m_pid != 0)
            return;
        const int out = open((dir / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open((dir / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        setenv("ALSOFT_DRIVERS", "null", 1);
        std::vector<std::string> copies = arguments;
        std::string name = program.string();
        std::vector<char*> argv{name.data()};
        for (std::string& argument : copies)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        execv(name.c_str(), argv.data());
        _exit(127);
    }

    ~RunningGame()
    {
        if (m_pid > 0 && m_exitCode == NOT_ENDED)
        {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    // The exit status, or NOT_ENDED when the program had not ended in time.
    int waitForExit(std::chrono::seconds timeout)
    {
        const auto deadline = Clock::now() + timeout;
        int status = 0;
        while (m_exitCode == NOT_ENDED)
        {
            if (waitpid(m_pid, &status, WNOHANG) == m_pid)
                m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            else if (Clock::now() >= deadline)
                break;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return m_exitCode;
    }

    static constexpr int NOT_ENDED = -1000;

private:
    pid_t m_pid = -1;
    int m_exitCode = NOT_ENDED;
};

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
    RunningGame game(m_dir.path(), GetParam());
    std::string window;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (window.empty() && Clock::now() < deadline &&
           game.waitForExit(std::chrono::seconds(0)) == RunningGame::NOT_ENDED)
        window = xtest::findWindow("Corvane");
    ASSERT_NE(window, "") << "no window; exit " << game.waitForExit(std::chrono::seconds(0))
                          << ", log: " << log()
                          << ", stderr: " << testsupport::readFile(m_dir / "stderr.txt");
    // The game waits for the player; the self-check would have ended by itself.
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(1)), RunningGame::NOT_ENDED);
    int exitCode = RunningGame::NOT_ENDED;
    // Repeated, in case the first press arrives before the window takes keys.
    for (int attempt = 0; attempt < 20 && exitCode == RunningGame::NOT_ENDED; ++attempt)
    {
        xtest::xdotool({"key", "--window", window, "q"});
        exitCode = game.waitForExit(std::chrono::seconds(1));
    }
    EXPECT_EQ(exitCode, 0);
    // A game that ran writes nothing: no self-check report, no failure, no console output.
    EXPECT_EQ(log(), "");
    EXPECT_EQ(testsupport::readFile(m_dir / "stderr.txt"), "");
    EXPECT_EQ(testsupport::readFile(m_dir / "stdout.txt"), "");
}

INSTANTIATE_TEST_SUITE_P(Arguments, GameStart,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"-test"},
                                           std::vector<std::string>{"--TEST"},
                                           std::vector<std::string>{"--test ", "--test"}));

} // namespace
} // namespace gametest
