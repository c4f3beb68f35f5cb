// `halvren --test`: the real program in a copy of the run directory, with a real window.
#include "Levels.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::RunResult;
using testsupport::TempDir;

namespace
{

const std::string heading = "Halvren Final Test Suite\n" + std::string(26, '-') + "\n";

std::string passLine(const std::string& name)
{
    return "[PASS] " + name + "\n";
}

std::string fullPassReport()
{
    std::string report = heading + passLine("Final game contains 5 levels") +
                         passLine("Load and validate all level files");
    for (int n = 1; n <= LEVEL_COUNT; ++n)
    {
        report += passLine("Level " + std::to_string(n) + " red map");
        report += passLine("Level " + std::to_string(n) + " blue map");
    }
    return report + "\nPassed: " + std::to_string(2 + 2 * LEVEL_COUNT) + "\nFailed: 0\n";
}

const std::string failedLoadReport = heading + passLine("Final game contains 5 levels") +
                                     "[FAIL] Load and validate all level files\n"
                                     "\nPassed: 1\nFailed: 1\n";

std::size_t lineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class SelfCheck : public ::testing::Test
{
protected:
    SelfCheck() { testsupport::copyRunDirectory(dir.path()); }

    RunResult run(const std::vector<std::string>& arguments)
    {
        return testsupport::runProgram(dir / "halvren", arguments, dir.path());
    }

    std::string log() const { return testsupport::readFile(dir / "corvane.log"); }

    // Cuts the last row of the red map of level n, leaving 18 cells.
    void shortenRedRow(int n)
    {
        const std::filesystem::path path = dir / levelPath(n);
        std::string text = testsupport::readFile(path);
        const std::size_t blue = text.find("[BLUE]");
        text.erase(text.rfind('#', blue), 1);
        testsupport::writeFile(path, text);
    }

    TempDir dir{false};
};

TEST_F(SelfCheck, ShippedLevelsPassEveryTest)
{
    const RunResult result = run({"--test"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(result.standardOutput, "");
    const std::string report = log();
    EXPECT_EQ(report, fullPassReport());
    EXPECT_EQ(lineCount(report), 17u);
}

TEST_F(SelfCheck, FurtherArgumentsAreIgnored)
{
    const RunResult result = run({"--test", "--TEST", "level-09.txt"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(log(), fullPassReport());
}

TEST_F(SelfCheck, BrokenLevelFailsTheLoadTest)
{
    for (int n = 1; n <= LEVEL_COUNT; ++n)
        ASSERT_TRUE(std::filesystem::exists(dir / levelPath(n)));
    shortenRedRow(2);

    const RunResult result = run({"--test"});
    EXPECT_EQ(result.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(result.standardError, "Level data error in assets/levels/level-02.txt: red map row " +
                                        std::to_string(MAP_ROWS) + " has " +
                                        std::to_string(MAP_COLUMNS - 1) + " cells; expected " +
                                        std::to_string(MAP_COLUMNS) + ".\n");
    const std::string report = log();
    EXPECT_EQ(report, failedLoadReport);
    EXPECT_EQ(lineCount(report), 7u);
}

TEST_F(SelfCheck, OnlyTheExactArgumentSelectsTheCheck)
{
    // Without level 1 the game stops at start-up, so each run ends quickly on its own.
    std::filesystem::remove(dir / levelPath(1));
    const std::string missingLevel =
        "Level data error in assets/levels/level-01.txt: could not open the file.\n";

    const RunResult check = run({"--test"});
    EXPECT_EQ(check.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(check.standardError, missingLevel);
    EXPECT_EQ(log(), failedLoadReport);

    for (const std::string argument : {"-test", "--TEST", "--testx", "--tes", " --test", ""})
    {
        const RunResult game = run({argument, "--test"});
        EXPECT_EQ(game.exitCode, testsupport::EXIT_MINUS_ONE) << argument;
        EXPECT_EQ(game.standardError, missingLevel) << argument;
        EXPECT_EQ(log().find("Halvren Final Test Suite"), std::string::npos) << argument;
    }
}

} // namespace
