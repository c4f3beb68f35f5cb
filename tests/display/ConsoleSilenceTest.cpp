#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

// The program is a console program whose console carries only the level loader's one line:
// nothing the window, graphics or audio libraries say may reach it.

namespace
{

namespace fs = std::filesystem;

const fs::path program = "./halvren";

std::string levelFile(int number)
{
    return std::string("assets/levels/level-0") + std::to_string(number) + ".txt";
}

bool runDirectoryHasAllLevels()
{
    for (int number = 1; number <= 5; ++number)
        if (!fs::exists(fs::path(HALVREN_RUN_DIR) / levelFile(number)))
            return false;
    return true;
}

// Every line of the log is a line of the self-check report, so nothing else was logged.
void expectOnlyReportLines(const std::string& log)
{
    ASSERT_FALSE(log.empty());
    const std::regex reportLine(
        "Halvren Final Test Suite|-{26}|\\[(PASS|FAIL)\\] [A-Za-z0-9 ]+|(Passed|Failed): [0-9]+|");
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
        EXPECT_TRUE(std::regex_match(line, reportLine)) << "not a report line: " << line;
}

TEST(ConsoleSilence, SelfCheckWithMissingLevelsPrintsOnlyTheLoaderLine)
{
    testsupport::TempDir dir;
    testsupport::copyRunDirectory(dir.path());
    fs::remove_all(dir / "assets/levels");

    const testsupport::RunResult run = testsupport::runProgram(program, {"--test"}, dir.path());
    EXPECT_EQ(run.exitCode, testsupport::EXIT_MINUS_ONE);
    EXPECT_EQ(run.standardOutput, "");
    EXPECT_TRUE(std::regex_match(run.standardError, std::regex("Level data error in [^\n]*\n")))
        << "stderr was: " << run.standardError;
    expectOnlyReportLines(testsupport::readFile(dir / "corvane.log"));
}

TEST(ConsoleSilence, SelfCheckWithAllLevelsPrintsNothing)
{
    if (!runDirectoryHasAllLevels())
        GTEST_SKIP() << "the run directory has no level files";
    testsupport::TempDir dir;
    testsupport::copyRunDirectory(dir.path());

    const testsupport::RunResult run = testsupport::runProgram(program, {"--test"}, dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, "");
    EXPECT_EQ(run.standardError, "");
    expectOnlyReportLines(testsupport::readFile(dir / "corvane.log"));
}

} // namespace
