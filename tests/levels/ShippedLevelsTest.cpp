// The move rule, the search, and the five shipped puzzles: valid, walled in, solvable only
// with a wall holding one character back, and each harder than the one before.
#include "LevelSolver.h"
#include "LevelTestData.h"
#include "Levels.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

using namespace leveltest;

namespace
{

const std::filesystem::path sourceDir = HALVREN_SOURCE_DIR;

LevelData shippedLevel(int n)
{
    LevelData level;
    std::string error;
    EXPECT_TRUE(parseLevelFile((sourceDir / levelPath(n)).string(), level, error))
        << levelPath(n) << ": " << error;
    return level;
}

LevelData levelFrom(const Rows& red, const Rows& blue)
{
    return LevelData{toMap(red), toMap(blue)};
}

Direction directionOf(char key)
{
    for (const Direction direction : allDirections)
        if (directionKey(direction) == key)
            return direction;
    ADD_FAILURE() << "not a move key: " << key;
    return Direction::Up;
}

struct Replay
{
    bool solvedAtEnd = false;
    bool solvedEarlier = false;
    int holdingMoves = 0; // moves in which exactly one character was stopped
};

Replay replay(const LevelData& level, const std::string& keys)
{
    Cell red, blue, redExit, blueExit;
    findCell(level.redMap, 'R', red);
    findCell(level.blueMap, 'B', blue);
    findCell(level.redMap, 'E', redExit);
    findCell(level.blueMap, 'E', blueExit);
    Replay result;
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        const Cell nextRed = stepCharacter(level.redMap, red, directionOf(keys[i]));
        const Cell nextBlue = stepCharacter(level.blueMap, blue, directionOf(keys[i]));
        if ((nextRed == red) != (nextBlue == blue))
            ++result.holdingMoves;
        red = nextRed;
        blue = nextBlue;
        const bool solved = red == redExit && blue == blueExit;
        if (i + 1 == keys.size())
            result.solvedAtEnd = solved;
        else if (solved)
            result.solvedEarlier = true;
    }
    return result;
}

// Every cell the character can reach, by its own flood fill; true if one lies on the edge.
bool reachesEdge(const LevelMap& map, char marker)
{
    Cell start;
    if (!findCell(map, marker, start))
        return true;
    std::vector<std::vector<bool>> seen(MAP_ROWS, std::vector<bool>(MAP_COLUMNS, false));
    std::vector<Cell> pending{start};
    seen[static_cast<std::size_t>(start.row)][static_cast<std::size_t>(start.column)] = true;
    while (!pending.empty())
    {
        const Cell cell = pending.back();
        pending.pop_back();
        if (cell.row == 0 || cell.column == 0 || cell.row == MAP_ROWS - 1 ||
            cell.column == MAP_COLUMNS - 1)
            return true;
        const Cell neighbours[] = {{cell.row - 1, cell.column},
                                   {cell.row + 1, cell.column},
                                   {cell.row, cell.column - 1},
                                   {cell.row, cell.column + 1}};
        for (const Cell& next : neighbours)
        {
            const char content =
                map[static_cast<std::size_t>(next.row)][static_cast<std::size_t>(next.column)];
            if (content == '#' ||
                seen[static_cast<std::size_t>(next.row)][static_cast<std::size_t>(next.column)])
                continue;
            seen[static_cast<std::size_t>(next.row)][static_cast<std::size_t>(next.column)] = true;
            pending.push_back(next);
        }
    }
    return false;
}

} // namespace

TEST(MoveRule, WallsStopExitsDoNotAndTheEdgeHolds)
{
    Rows rows(MAP_ROWS, std::string(MAP_COLUMNS, '.'));
    rows[5][6] = '#';
    rows[5][8] = 'E';
    const LevelMap map = toMap(rows);
    const Cell middle{5, 7};
    EXPECT_EQ(stepCharacter(map, middle, Direction::Left), middle);
    EXPECT_EQ(stepCharacter(map, middle, Direction::Right), (Cell{5, 8}));
    EXPECT_EQ(stepCharacter(map, middle, Direction::Up), (Cell{4, 7}));
    EXPECT_EQ(stepCharacter(map, middle, Direction::Down), (Cell{6, 7}));
    const Cell corner{0, MAP_COLUMNS - 1};
    EXPECT_EQ(stepCharacter(map, corner, Direction::Up), corner);
    EXPECT_EQ(stepCharacter(map, corner, Direction::Right), corner);
    EXPECT_EQ(std::string("WASD"),
              std::string({directionKey(Direction::Up), directionKey(Direction::Left),
                           directionKey(Direction::Down), directionKey(Direction::Right)}));

    rows[2][3] = 'R';
    EXPECT_TRUE(canWalkOffMap(toMap(rows), Cell{2, 3}));
    EXPECT_FALSE(canWalkOffMap(toMap(walledMap('R')), Cell{2, 3}));
}

TEST(Search, SmallLevelsWithKnownAnswers)
{
    // The same map twice: the characters move in step, so no wall is needed.
    Rows twin = walledMap('R');
    const LevelData together = levelFrom(twin, walledMap('B'));
    const Solution direct = solveLevel(together, MoveSet::Any);
    ASSERT_TRUE(direct.solvable);
    const int walk = (9 - 2) + (14 - 3);
    EXPECT_EQ(direct.moves, walk);
    EXPECT_TRUE(solveLevel(together, MoveSet::Holdless).solvable);
    EXPECT_TRUE(replay(together, direct.keys).solvedAtEnd);

    // Red's exit one cell further right, and a pillar right of blue's exit: the last press
    // to the right moves red alone, the only way red gets ahead of blue.
    twin[9][14] = '.';
    twin[9][15] = 'E';
    Rows pillared = walledMap('B');
    pillared[9][15] = '#';
    const LevelData offset = levelFrom(twin, pillared);
    const Solution held = solveLevel(offset, MoveSet::Any);
    ASSERT_TRUE(held.solvable);
    EXPECT_EQ(held.moves, walk + 1);
    EXPECT_FALSE(solveLevel(offset, MoveSet::Holdless).solvable);
    const Replay run = replay(offset, held.keys);
    EXPECT_TRUE(run.solvedAtEnd);
    EXPECT_GT(run.holdingMoves, 0);

    // An exit walled off from its character.
    Rows sealed = walledMap('R');
    sealed[8].replace(13, 3, "###");
    sealed[9].replace(13, 3, "#E#");
    sealed[10].replace(13, 3, "###");
    EXPECT_FALSE(solveLevel(levelFrom(sealed, walledMap('B')), MoveSet::Any).solvable);
}

TEST(ShippedLevels, PassTheLoaderAndAreWalledIn)
{
    for (int n = 1; n <= LEVEL_COUNT; ++n)
    {
        const LevelData level = shippedLevel(n);
        EXPECT_FALSE(reachesEdge(level.redMap, 'R')) << levelPath(n);
        EXPECT_FALSE(reachesEdge(level.blueMap, 'B')) << levelPath(n);
        EXPECT_NE(level.redMap, level.blueMap) << levelPath(n);
    }
}

TEST(ShippedLevels, SolvableOnlyWithAWallHoldingOneBackAndEachHarder)
{
    int previousMoves = 0;
    for (int n = 1; n <= LEVEL_COUNT; ++n)
    {
        const LevelData level = shippedLevel(n);
        const Solution best = solveLevel(level, MoveSet::Any);
        ASSERT_TRUE(best.solvable) << levelPath(n);
        EXPECT_EQ(best.moves, static_cast<int>(best.keys.size()));
        const Replay run = replay(level, best.keys);
        EXPECT_TRUE(run.solvedAtEnd) << levelPath(n);
        EXPECT_FALSE(run.solvedEarlier) << levelPath(n);
        EXPECT_GT(run.holdingMoves, 0) << levelPath(n);
        EXPECT_FALSE(solveLevel(level, MoveSet::Holdless).solvable) << levelPath(n);
        EXPECT_GT(best.moves, previousMoves) << levelPath(n);
        previousMoves = best.moves;
    }
}

TEST(SolverProgram, ReportsEveryShippedLevel)
{
    const testsupport::RunResult result =
        testsupport::runProgram(HALVREN_SOLVER_PROGRAM, {}, sourceDir);
    EXPECT_EQ(result.exitCode, 0);
    std::istringstream lines(result.standardOutput);
    std::string line;
    int n = 0;
    while (std::getline(lines, line))
    {
        ++n;
        ASSERT_LE(n, LEVEL_COUNT) << line;
        const Solution best = solveLevel(shippedLevel(n), MoveSet::Any);
        EXPECT_EQ(line, levelPath(n) + " solvable moves=" + std::to_string(best.moves) +
                            " keys=" + best.keys + " holdless=unsolvable enclosed=yes");
    }
    EXPECT_EQ(n, LEVEL_COUNT);
}

TEST(SolverProgram, FilesFromTheCommandLine)
{
    testsupport::TempDir dir;
    Rows open = walledMap('R');
    open[6][0] = '.';
    testsupport::writeFile(dir / "open.txt", levelText(open));
    testsupport::writeFile(dir / "bad.txt", "[RED]\n");

    const testsupport::RunResult result = testsupport::runProgram(
        HALVREN_SOLVER_PROGRAM, {"open.txt", "bad.txt", "absent.txt"}, dir.path());
    EXPECT_EQ(result.exitCode, 1);
    const Solution best = solveLevel(levelFrom(open, walledMap('B')), MoveSet::Any);
    EXPECT_EQ(result.standardOutput,
              "open.txt solvable moves=" + std::to_string(best.moves) + " keys=" + best.keys +
                  " holdless=solvable enclosed=no\n"
                  "bad.txt error the file must contain one [RED] section and one [BLUE] "
                  "section.\n"
                  "absent.txt error could not open the file.\n");

    const testsupport::RunResult help =
        testsupport::runProgram(HALVREN_SOLVER_PROGRAM, {"--help"}, dir.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.standardOutput.find("PATH solvable moves=N keys=KEYS holdless=H"),
              std::string::npos);
    EXPECT_EQ(testsupport::runProgram(HALVREN_SOLVER_PROGRAM, {"--bogus"}, dir.path()).exitCode, 2);
}
