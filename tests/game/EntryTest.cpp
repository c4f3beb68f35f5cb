// The halvren program itself, run in a directory of the test's own data files.
#include "GameFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace gametest
{
namespace
{

namespace fs = std::filesystem;

const fs::path program = fs::path(HALVREN_RUN_DIR) / "halvren";

// Output of a shell command, or empty.
std::string commandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r"))
    {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        pclose(pipe);
    }
    return output;
}

// A virtual X display of the test's own, so that no other test's window takes the keys.
class PrivateDisplay
{
public:
    PrivateDisplay()
    {
        int numberPipe[2];
        if (pipe(numberPipe) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0)
        {
            close(numberPipe[0]);
            const int nothing = open("/dev/null", O_RDWR);
            dup2(nothing, STDIN_FILENO);
            dup2(nothing, STDOUT_FILENO);
            dup2(nothing, STDERR_FILENO);
            const std::string fd = std::to_string(numberPipe[1]);
            // -noreset: a server that resets whenever its last client leaves refuses the
            // connections made meanwhile, and xdotool's calls come and go.
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset",
                   "-screen", "0", "1280x1024x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(numberPipe[1]);
        // Xvfb writes its display number once it accepts clients.
        std::string number;
        char c = 0;
        while (read(numberPipe[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(numberPipe[0]);
        if (!number.empty())
            m_name = ":" + number;
    }

    ~PrivateDisplay()
    {
        if (m_pid > 0)
        {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    const std::string& name() const { return m_name; }

private:
    pid_t m_pid = -1;
    std::string m_name;
};

// The game started in the background, so that the test can play it through its window.
class RunningGame
{
public:
    RunningGame(const fs::path& dir, const std::vector<std::string>& arguments,
                const std::string& display)
        : m_display(display)
    {
        m_pid = fork();
        if (m_pid == 0)
        {
            const int out = open((dir / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = open((dir / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int nothing = open("/dev/null", O_RDONLY);
            dup2(out, STDOUT_FILENO);
            dup2(err, STDERR_FILENO);
            dup2(nothing, STDIN_FILENO);
            if (chdir(dir.c_str()) != 0)
                _exit(126);
            setenv("ALSOFT_DRIVERS", "null", 1);
            setenv("DISPLAY", display.c_str(), 1);
            std::vector<std::string> copies = arguments;
            std::string name = program.string();
            std::vector<char*> argv{name.data()};
            for (std::string& argument : copies)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(name.c_str(), argv.data());
            _exit(127);
        }
    }

    ~RunningGame()
    {
        if (m_pid > 0 && !m_exited)
        {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    // The program's window, the only one on its display; empty when none shows in time.
    std::string window(std::chrono::seconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline && !hasExited())
        {
            std::istringstream found(commandOutput(xdotool("search --name '^Corvane$'")));
            std::string id;
            if (found >> id)
                return id;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return {};
    }

    void pressKey(const std::string& window, const std::string& key)
    {
        commandOutput(xdotool("key --window " + window + " " + key));
    }

    bool hasExited()
    {
        if (m_exited)
            return true;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid)
        {
            m_exited = true;
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1000;
            m_signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        }
        return m_exited;
    }

    // The exit status, or -1000 when the program had not ended in time.
    int waitForExit(std::chrono::seconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!hasExited() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return m_exited ? m_exitCode : -1000;
    }

private:
    std::string xdotool(const std::string& arguments) const
    {
        return "DISPLAY=" + m_display + " xdotool " + arguments + " 2>/dev/null";
    }

    std::string m_display;
    pid_t m_pid = -1;
    bool m_exited = false;
    int m_exitCode = -1000;
    int m_signal = 0;

public:
    int signal() const { return m_signal; }
};

class EntryTest : public ::testing::Test
{
protected:
    EntryTest() : m_dir(false) {}

    void writeFont()
    {
        fs::copy_file(fs::path(HALVREN_RUN_DIR) / "cor-font.ttf", m_dir / "cor-font.ttf");
    }

    // Everything the game reads; the game-over art is one frame, so Q ends the game at once.
    void writeAll()
    {
        writeFont();
        writeLevels(m_dir.path());
        for (const SpriteData& sprite : worldAndTitleSprites())
            writeSprite(m_dir.path(), sprite);
        writeSprite(m_dir.path(), gameoverSprite(1, 1));
        writeSilentMusic(m_dir / "sound/BGM/BGM.ogg", MUSIC_SECONDS);
    }

    std::string log() const { return testsupport::readFile(m_dir / "corvane.log"); }

    testsupport::TempDir m_dir;
};

TEST_F(EntryTest, ABrokenLevelIsReportedAndNoSpriteIsTried)
{
    writeFont();
    writeLevels(m_dir.path());
    // Row 4 of level 2's red map one cell short. No sprite file exists: trying one would log.
    const TestLevel& level = testLevels()[1];
    std::vector<std::string> red = mapRows('R', level.redStart, level.redExit);
    red[3].pop_back();
    std::string text = "[RED]\n";
    for (const std::string& row : red)
        text += row + "\n";
    text += "[BLUE]\n";
    for (const std::string& row : mapRows('B', level.blueStart, level.blueExit))
        text += row + "\n";
    testsupport::writeFile(m_dir / "assets/levels/level-02.txt", text);

    const testsupport::RunResult result = testsupport::runProgram(program, {}, m_dir.path(), 30);
    EXPECT_EQ(result.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(result.standardError,
              "Level data error in assets/levels/level-02.txt: red map row 4 has 18 cells; "
              "expected 19.\n");
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(log(), "");
}

TEST_F(EntryTest, AMissingSpriteFileStopsTheLoadingThere)
{
    writeAll();
    // The sprites after the blue wall are broken too: were they tried, the log would say so.
    for (const char* name : {"blue-wall", "red-exit", "blue-exit", "halvren-title", "gameover"})
        fs::remove(m_dir / (std::string("assets/") + name + ".txt"));
    const testsupport::RunResult result = testsupport::runProgram(program, {}, m_dir.path(), 30);
    EXPECT_EQ(result.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(log(),
              "ResourceManager::loadSprite(): unable to open file 'assets/blue-wall.txt'.\n");
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(result.standardOutput, "");
}

TEST_F(EntryTest, ABrokenSpriteFileStopsTheStartToo)
{
    writeAll();
    testsupport::writeFile(m_dir / "assets/red-exit.txt", "1\n1\n1\n1\nRed\nO\n");
    const testsupport::RunResult result = testsupport::runProgram(program, {}, m_dir.path(), 30);
    EXPECT_EQ(result.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(log(), "ResourceManager::loadSprite(): error line 5. Unrecognized color 'Red'.\n");
}

TEST_F(EntryTest, AMissingMusicFileStopsTheStart)
{
    writeAll();
    fs::remove(m_dir / "sound/BGM/BGM.ogg");
    const testsupport::RunResult result = testsupport::runProgram(program, {}, m_dir.path(), 30);
    EXPECT_EQ(result.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(log(),
              "ResourceManager::loadMusic(): Unable to load from file 'sound/BGM/BGM.ogg'.\n");
    EXPECT_EQ(result.standardError, "");
}

TEST_F(EntryTest, AFailedEngineStartEndsWithMinusOne)
{
    writeAll();
    fs::remove(m_dir / "cor-font.ttf");
    const testsupport::RunResult result = testsupport::runProgram(program, {}, m_dir.path(), 30);
    EXPECT_EQ(result.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(result.standardError, "");
}

TEST_F(EntryTest, TestFollowedByMoreArgumentsRunsTheSelfCheck)
{
    writeAll();
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
    writeAll();
    const PrivateDisplay display;
    ASSERT_NE(display.name(), "") << "Xvfb did not start";
    RunningGame game(m_dir.path(), GetParam(), display.name());
    const std::string window = game.window(std::chrono::seconds(20));
    ASSERT_NE(window, "") << "no window; exit " << game.waitForExit(std::chrono::seconds(0))
                          << ", signal " << game.signal() << ", display " << display.name()
                          << ", log: " << log()
                          << ", stderr: " << testsupport::readFile(m_dir / "stderr.txt");
    // The game waits for the player; the self-check would have ended by itself.
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(1)), -1000);
    int exitCode = -1000;
    // Repeated, in case the first press arrives before the window takes keys.
    for (int attempt = 0; attempt < 20 && exitCode == -1000; ++attempt)
    {
        game.pressKey(window, "q");
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
