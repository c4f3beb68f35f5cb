// The level loader (every fault message and the order of the checks, the layouts it
// accepts, loadAllLevels()), the solver, and the five shipped puzzles.
#include "LevelSolver.h"
#include "Levels.h"
#include "TestSupport.h"

#include <filesystem>
#include <functional>
#include <regex>

using namespace testsupport;

namespace
{

using Rows = std::vector<std::string>;
const int LEVELS = int(fact("levels"));

// A map walled all round, its marker on row 2, column 3 and its exit on row 9, column 14.
Rows walledMap(char marker)
{
    Rows rows(13, "#" + std::string(17, '.') + "#");
    rows.front() = rows.back() = std::string(19, '#');
    rows[2][3] = marker;
    rows[9][14] = 'E';
    return rows;
}

// The level text with the red and the blue map changed.
std::string changed(const std::function<void(Rows&)>& red = {},
                    const std::function<void(Rows&)>& blue = {})
{
    Rows maps[] = {walledMap('R'), walledMap('B')};
    std::string text;
    for (int i = 0; i < 2; ++i)
    {
        if (const auto& change = i == 0 ? red : blue)
            change(maps[i]);
        text += i == 0 ? "[RED]\n" : "[BLUE]\n";
        for (const std::string& row : maps[i])
            text += row + "\n";
    }
    return text;
}

class LevelTest : public ::testing::Test
{
protected:
    // The fault found in the text, or "" when it is accepted into `parsed`.
    std::string parse(const std::string& text)
    {
        writeFile("level.txt", text);
        std::string error;
        return parseLevelFile("level.txt", parsed, error) ? "" : error;
    }
    std::string loadAllCapturingErrors(bool& result)
    {
        ::testing::internal::CaptureStderr();
        result = loadAllLevels();
        return ::testing::internal::GetCapturedStderr();
    }
    TempDir dir;
    LevelData parsed;
};

} // namespace

TEST_F(LevelTest, EveryFaultGetsItsMessageAndTheChecksComeInOrder)
{
    const std::string level = changed();
    const std::string wall(MAP_COLUMNS, '#');
    const std::string before = "map data appears before a [RED] or [BLUE] section on line ";
    const std::string missing = "the file must contain one [RED] section and one [BLUE] section.";
    const auto row = [](std::size_t index, const std::string& content)
    { return [=](Rows& rows) { rows[index - 1] = content; }; };
    const auto cell = [](std::size_t r, std::size_t c, char content)
    { return [=](Rows& rows) { rows[r][c] = content; }; };
    const auto rowsAdded = [](int count)
    { return [=](Rows& rows) { rows.resize(13 + count, rows.back()); }; };
    // clang-format off
    const std::pair<std::string, std::string> faults[] = {
        {level + "\n[RED]\n", "duplicate [RED] section on line 30."},
        {"\n" + level + "[BLUE]\n", "duplicate [BLUE] section on line 30."},
        {"#####\n" + level, before + "1."}, {"\r\n\n\n#####\n" + level, before + "4."},
        {"[red]\n" + level, before + "1."}, {"[RED] \n" + level, before + "1."},
        {"\n\xEF\xBB\xBF[RED]\n", before + "2."}, {"\xEF\xBB\xBF\xEF\xBB\xBF[RED]\n", before + "1."},
        {level.substr(0, level.find("[BLUE]")), missing}, {level.substr(level.find("[BLUE]")), missing},
        {changed([](Rows& r) { r.push_back("[blue]"); }), "red map has 14 rows; expected 13."},
        // Both maps' row counts come before any content.
        {changed(cell(4, 4, 'x'), rowsAdded(1)), "blue map has 14 rows; expected 13."},
        {changed(rowsAdded(-1), rowsAdded(1)), "red map has 12 rows; expected 13."},
        {changed(rowsAdded(-13)), "red map has 0 rows; expected 13."},
        {changed(row(13, wall + " ")), "red map row 13 has 20 cells; expected 19."},
        {changed(row(1, std::string(8u << 20, '#'))), "red map row 1 has 8388608 cells; expected 19."},
        {changed(cell(1, 17, ' ')), "red map contains invalid character ' ' on row 2."},
        {changed(cell(3, 7, '\xFF')), "red map contains invalid character '\xFF' on row 4."},
        // One carriage return ends the line; a second one is a cell.
        {changed(row(5, wall + "\r\r")), "red map row 5 has 20 cells; expected 19."},
        {changed(row(5, wall.substr(2) + "\r\r\r")), "red map contains invalid character '\\x0d' on row 5."},
        // The escape character would let a level file drive the terminal the message goes to.
        {changed(cell(1, 4, '\x1b')), "red map contains invalid character '\\x1b' on row 2."},
        {changed(cell(6, 6, 'B')), "red map contains invalid character 'B' on row 7."},
        {changed({}, cell(11, 1, 'R')), "blue map contains invalid character 'R' on row 12."},
        // Row by row, the width before the characters; the red map before the blue one.
        {changed([](Rows& r) { r[1][5] = '?'; r[4] += "#"; }), "red map contains invalid character '?' on row 2."},
        {changed([](Rows& r) { r[1] += "##"; r[4][5] = '?'; }), "red map row 2 has 21 cells; expected 19."},
        {changed(cell(2, 3, '.'), row(1, "#")), "red map must contain exactly one 'R' marker; found 0."},
        {changed(cell(5, 5, 'E')), "red map must contain exactly one 'E' marker; found 2."},
        {changed([](Rows& r) { r[5][5] = 'E'; r[2][3] = '.'; }), "red map must contain exactly one 'R' marker; found 0."},
        {changed({}, [](Rows& b) { b[3][3] = b[4][4] = 'B'; }), "blue map must contain exactly one 'B' marker; found 3."},
        {changed({}, cell(9, 14, '.')), "blue map must contain exactly one 'E' marker; found 0."},
    };
    // clang-format on
    for (const auto& [text, message] : faults)
        EXPECT_EQ(parse(text), message);
}

TEST_F(LevelTest, EveryLayoutOfTheSameMapsIsAcceptedAndTheSolverFindsTheFewestMoves)
{
    const Rows red = walledMap('R'), blue = walledMap('B');
    const std::string text = changed(), bom = "\xEF\xBB\xBF";
    const std::string crlf = std::regex_replace(text, std::regex("\n"), "\r\n");
    // Blank lines before the first section, after the last and every seventh line in between.
    const std::string spaced = "\n" + std::regex_replace(text, std::regex("(.*\n){7}"), "$&\n");
    // clang-format off
    const std::string layouts[] = {text, crlf, bom + text, bom + crlf, spaced + "\n",
        text.substr(text.find("[BLUE]")) + text.substr(0, text.find("[BLUE]")), text.substr(0, text.size() - 1)};
    // clang-format on
    for (const std::string& layout : layouts)
        EXPECT_TRUE(parse(layout).empty() &&
                    Rows(parsed.redMap.begin(), parsed.redMap.end()) == red &&
                    Rows(parsed.blueMap.begin(), parsed.blueMap.end()) == blue)
            << layout;
    // The solver finds the fewest moves; whether a level needs a hold it judges on the shipped
    // levels below.
    EXPECT_EQ(solveLevel(parsed, MoveSet::Holdless).moves, (9 - 2) + (14 - 3));
}

TEST_F(LevelTest, LoadAllLevelsFillsTheTableOrReportsTheFirstFaultOnceAndKeepsIt)
{
    for (int n = 1; n <= LEVELS; ++n)
        writeFile(levelPath(n), changed());
    bool loaded = false;
    EXPECT_EQ(loadAllCapturingErrors(loaded), ""); // the levels' order shows in the end-to-end run
    EXPECT_TRUE(loaded && levelsLoaded);

    writeFile(levelPath(4), "broken too");
    const auto folder = []
    { std::filesystem::remove(levelPath(3)), std::filesystem::create_directory(levelPath(3)); };
    const std::pair<std::function<void()>, std::string> faults[] = {
        {[] { writeFile(levelPath(3), changed([](Rows& r) { r[3].pop_back(); })); },
         "red map row 4 has 18 cells; expected 19."},
        {[] { levelsLoaded = false; }, "red map row 4 has 18 cells; expected 19."},
        {folder, "could not open the file."}};
    for (const auto& [breakLevel, message] : faults)
    {
        for (LevelData& entry : levelTable)
            entry.redMap.fill("marked");
        breakLevel();
        const bool loadedBefore = levelsLoaded;
        EXPECT_EQ(loadAllCapturingErrors(loaded),
                  "Level data error in assets/levels/level-03.txt: " + message + "\n");
        EXPECT_TRUE(!loaded && levelsLoaded == loadedBefore);
        for (const LevelData& entry : levelTable)
            EXPECT_EQ(entry.redMap.back(), "marked");
    }
}

TEST(ShippedLevels, EachIsWalledInNeedsAHoldAndIsHarderThanTheOneBefore)
{
    int previousMoves = 0;
    for (int n = 1; n <= LEVELS; ++n)
    {
        SCOPED_TRACE(levelPath(n));
        LevelData level;
        std::string error;
        ASSERT_TRUE(
            parseLevelFile(std::string(HALVREN_SOURCE_DIR) + "/" + levelPath(n), level, error));
        Cell red, blue;
        ASSERT_TRUE(findCell(level.redMap, 'R', red) && findCell(level.blueMap, 'B', blue));
        EXPECT_FALSE(canWalkOffMap(level.redMap, red));
        EXPECT_FALSE(canWalkOffMap(level.blueMap, blue));
        const Solution best = solveLevel(level, MoveSet::Any);
        ASSERT_TRUE(best.solvable);
        EXPECT_FALSE(solveLevel(level, MoveSet::Holdless).solvable);
        EXPECT_GT(best.moves, previousMoves);
        previousMoves = best.moves;
    }
}
