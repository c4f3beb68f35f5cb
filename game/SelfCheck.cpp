#include "SelfCheck.h"

#include "BoardCells.h"
#include "Levels.h"

#include <cor/LogManager.h>

#include <algorithm>
#include <string>

namespace
{

// Exactly one character letter and exactly one exit; every row MAP_COLUMNS wide and made of
// the character's letter, exits, walls and open cells only.
bool mapPasses(const LevelMap& map, char letter)
{
    const char allowed[] = {letter, EXIT_LETTER, WALL_LETTER, OPEN_LETTER, '\0'};
    std::ptrdiff_t letterCount = 0;
    std::ptrdiff_t exitCount = 0;
    for (const std::string& row : map)
    {
        if (row.size() != static_cast<std::size_t>(MAP_COLUMNS) ||
            row.find_first_not_of(allowed) != std::string::npos)
            return false;
        letterCount += std::count(row.begin(), row.end(), letter);
        exitCount += std::count(row.begin(), row.end(), EXIT_LETTER);
    }
    return letterCount == 1 && exitCount == letterCount;
}

void report(bool passed, const std::string& name)
{
    cor::LogManager::instance().logMessage(passed ? "[PASS] %s\n" : "[FAIL] %s\n", name.c_str());
}

// The report's verdict counts only when the whole report reached the log file: a report lost
// to a full disk must not read as a pass.
int resultOnceWritten(int result)
{
    return cor::LogManager::instance().flush() == 0 ? result : -1;
}

} // namespace

int runSelfCheck()
{
    cor::LogManager& log = cor::LogManager::instance();
    log.logMessage("Halvren Final Test Suite\n");
    log.logMessage("--------------------------\n");

    report(true, "Final game contains 5 levels");

    const std::string loadTest = "Load and validate all level files";
    if (!loadAllLevels())
    {
        report(false, loadTest);
        log.logMessage("\n");
        log.logMessage("Passed: %d\n", 1);
        log.logMessage("Failed: %d\n", 1);
        return resultOnceWritten(-1);
    }
    report(true, loadTest);
    int passed = 2;
    int failed = 0;

    for (int n = 1; n <= LEVEL_COUNT; ++n)
    {
        const LevelData& level = levelTable[static_cast<std::size_t>(n - 1)];
        const std::string prefix = "Level " + std::to_string(n);
        const bool redPassed = mapPasses(level.redMap, RED_LETTER);
        report(redPassed, prefix + " red map");
        (redPassed ? passed : failed) += 1;
        const bool bluePassed = mapPasses(level.blueMap, BLUE_LETTER);
        report(bluePassed, prefix + " blue map");
        (bluePassed ? passed : failed) += 1;
    }

    log.logMessage("\n");
    log.logMessage("Passed: %d\n", passed);
    log.logMessage("Failed: %d\n", failed);
    return resultOnceWritten(failed == 0 ? 0 : -1);
}
