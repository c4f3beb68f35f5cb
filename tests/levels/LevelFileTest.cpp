// The level loader: accepted layouts, every fault message, the order of the checks, and
// loadAllLevels() with its one standard-error line.
#include "LevelTestData.h"
#include "Levels.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace leveltest;
using testsupport::TempDir;
using testsupport::writeFile;

namespace
{

struct ParseOutcome
{
    bool ok = false;
    LevelData level;
    std::string error;
};

ParseOutcome parseText(const std::string& text)
{
    TempDir dir;
    writeFile(dir / "level.txt", text);
    ParseOutcome outcome;
    outcome.ok = parseLevelFile((dir / "level.txt").string(), outcome.level, outcome.error);
    return outcome;
}

std::string errorFor(const std::string& text)
{
    const ParseOutcome outcome = parseText(text);
    EXPECT_FALSE(outcome.ok) << "accepted a faulty file";
    return outcome.error;
}

// The 1-based line number of the line that starts at position `offset` of the text.
int lineNumberAt(const std::string& text, std::size_t offset)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

} // namespace

TEST(LevelPath, TwoDigitLevelNumbers)
{
    EXPECT_EQ(levelPath(1), "assets/levels/level-01.txt");
    EXPECT_EQ(levelPath(5), "assets/levels/level-05.txt");
    EXPECT_EQ(levelPath(12), "assets/levels/level-12.txt");
}

TEST(ParseLevelFile, AcceptsEveryLayoutOfTheSameMaps)
{
    const Rows red = walledMap('R');
    const Rows blue = walledMap('B');
    const std::string bom = "\xEF\xBB\xBF";
    Rows spaced = levelLines(red, blue);
    spaced.insert(spaced.begin() + 5, "");
    spaced.insert(spaced.begin() + 15, "");
    spaced.insert(spaced.begin(), "");
    std::string noFinalLineEnd = levelText(red, blue);
    noFinalLineEnd.pop_back();

    const std::pair<const char*, std::string> layouts[] = {
        {"line feeds", levelText(red, blue)},
        {"carriage return and line feed", joinLines(levelLines(red, blue), "\r\n")},
        {"byte-order mark", bom + levelText(red, blue)},
        {"byte-order mark and CRLF", bom + joinLines(levelLines(red, blue), "\r\n")},
        {"blank lines between and inside sections", joinLines(spaced) + "\n\n"},
        {"[BLUE] before [RED]",
         joinLines(section("[BLUE]", blue)) + joinLines(section("[RED]", red))},
        {"no line end after the last row", noFinalLineEnd},
    };
    for (const auto& [name, text] : layouts)
    {
        const ParseOutcome outcome = parseText(text);
        ASSERT_TRUE(outcome.ok) << name << ": " << outcome.error;
        EXPECT_EQ(outcome.level.redMap, toMap(red)) << name;
        EXPECT_EQ(outcome.level.blueMap, toMap(blue)) << name;
    }
}

TEST(ParseLevelFile, SectionFaultsNameTheirLine)
{
    const std::string level = levelText();
    const std::string secondRed = level + "\n[RED]\n";
    EXPECT_EQ(errorFor(secondRed), "duplicate [RED] section on line " +
                                       std::to_string(lineNumberAt(secondRed, level.size() + 1)) +
                                       ".");
    const std::string secondBlue = "\n" + level + "[BLUE]\n";
    EXPECT_EQ(errorFor(secondBlue), "duplicate [BLUE] section on line " +
                                        std::to_string(lineNumberAt(secondBlue, level.size() + 1)) +
                                        ".");

    const std::string before = "map data appears before a [RED] or [BLUE] section on line ";
    EXPECT_EQ(errorFor("#####\n" + level), before + "1.");
    EXPECT_EQ(errorFor("\r\n\n\n#####\n" + level), before + "4.");
    // Headers match exactly: other case or a trailing space makes an ordinary row.
    EXPECT_EQ(errorFor("[red]\n" + level), before + "1.");
    EXPECT_EQ(errorFor("[RED] \n" + level), before + "1.");
    EXPECT_EQ(errorFor(" [RED]\n" + level), before + "1.");
    // The byte-order mark is only taken off the first line.
    EXPECT_EQ(errorFor("\n\xEF\xBB\xBF[RED]\n"), before + "2.");
    EXPECT_EQ(errorFor("\xEF\xBB\xBF\xEF\xBB\xBF[RED]\n"), before + "1.");

    const std::string missing = "the file must contain one [RED] section and one [BLUE] section.";
    EXPECT_EQ(errorFor(""), missing);
    EXPECT_EQ(errorFor("\n\n\r\n"), missing);
    EXPECT_EQ(errorFor(joinLines(section("[RED]", walledMap('R')))), missing);
    EXPECT_EQ(errorFor(joinLines(section("[BLUE]", walledMap('B')))), missing);
    EXPECT_EQ(errorFor("\xEF\xBB\xBF"), missing);
}

TEST(ParseLevelFile, MisspelledHeadersCountAsRows)
{
    Rows red = walledMap('R');
    red.push_back("[blue]");
    EXPECT_EQ(errorFor(levelText(red)), "red map has 14 rows; expected 13.");
    Rows blue = walledMap('B');
    blue.insert(blue.begin() + 3, "[RED] ");
    EXPECT_EQ(errorFor(levelText(walledMap('R'), blue)), "blue map has 14 rows; expected 13.");
}

TEST(ParseLevelFile, RowCountsOfBothMapsComeBeforeAnyContent)
{
    Rows badRed = walledMap('R');
    badRed[4][4] = 'x';
    badRed[6] += "#";
    Rows longBlue = walledMap('B');
    longBlue.push_back(longBlue.back());
    EXPECT_EQ(errorFor(levelText(badRed, longBlue)), "blue map has 14 rows; expected 13.");

    Rows shortRed = walledMap('R');
    shortRed.pop_back();
    EXPECT_EQ(errorFor(levelText(shortRed, longBlue)), "red map has 12 rows; expected 13.");
    EXPECT_EQ(errorFor(levelText(Rows{}, walledMap('B'))), "red map has 0 rows; expected 13.");
}

TEST(ParseLevelFile, RowWidthsAndCharacters)
{
    const auto redWith = [](int row, const std::string& content)
    {
        Rows red = walledMap('R');
        red[static_cast<std::size_t>(row - 1)] = content;
        return levelText(red);
    };
    const std::string wall(MAP_COLUMNS, '#');
    EXPECT_EQ(errorFor(redWith(4, wall.substr(1))), "red map row 4 has 18 cells; expected 19.");
    EXPECT_EQ(errorFor(redWith(13, wall + " ")), "red map row 13 has 20 cells; expected 19.");
    EXPECT_EQ(errorFor(redWith(2, "#" + std::string(MAP_COLUMNS - 3, '.') + " #")),
              "red map contains invalid character ' ' on row 2.");
    EXPECT_EQ(errorFor(redWith(7, "#\t" + std::string(MAP_COLUMNS - 2, '.'))),
              "red map contains invalid character '\t' on row 7.");
    // Only one carriage return is removed; a second one is a cell.
    EXPECT_EQ(errorFor(redWith(5, wall + "\r\r")), "red map row 5 has 20 cells; expected 19.");
    EXPECT_EQ(errorFor(redWith(5, wall.substr(2) + "\r\r\r")),
              "red map contains invalid character '\r' on row 5.");

    // Each world's letter is foreign to the other map.
    Rows red = walledMap('R');
    red[6][6] = 'B';
    EXPECT_EQ(errorFor(levelText(red)), "red map contains invalid character 'B' on row 7.");
    Rows blue = walledMap('B');
    blue[11][1] = 'R';
    EXPECT_EQ(errorFor(levelText(walledMap('R'), blue)),
              "blue map contains invalid character 'R' on row 12.");
    blue[11][1] = 'e';
    EXPECT_EQ(errorFor(levelText(walledMap('R'), blue)),
              "blue map contains invalid character 'e' on row 12.");
}

TEST(ParseLevelFile, RowsAreCheckedInOrderWidthBeforeCharacters)
{
    Rows red = walledMap('R');
    red[1][5] = '?';
    red[4] += "#";
    EXPECT_EQ(errorFor(levelText(red)), "red map contains invalid character '?' on row 2.");
    red = walledMap('R');
    red[1] += "##";
    red[4][5] = '?';
    EXPECT_EQ(errorFor(levelText(red)), "red map row 2 has 21 cells; expected 19.");
    // The red map is checked completely before the blue one.
    red = walledMap('R');
    red[2][3] = '.';
    Rows blue = walledMap('B');
    blue[0].pop_back();
    EXPECT_EQ(errorFor(levelText(red, blue)),
              "red map must contain exactly one 'R' marker; found 0.");
}

TEST(ParseLevelFile, MarkerAndExitCounts)
{
    Rows red = walledMap('R');
    red[5][5] = 'E';
    EXPECT_EQ(errorFor(levelText(red)), "red map must contain exactly one 'E' marker; found 2.");
    red[2][3] = '.';
    // The marker is counted before the exits.
    EXPECT_EQ(errorFor(levelText(red)), "red map must contain exactly one 'R' marker; found 0.");

    Rows blue = walledMap('B');
    blue[3][3] = 'B';
    blue[4][4] = 'B';
    EXPECT_EQ(errorFor(levelText(walledMap('R'), blue)),
              "blue map must contain exactly one 'B' marker; found 3.");
    blue = walledMap('B');
    blue[9][14] = '.';
    EXPECT_EQ(errorFor(levelText(walledMap('R'), blue)),
              "blue map must contain exactly one 'E' marker; found 0.");
}

TEST(ParseLevelFile, HostileInputGetsAMessageNotACrash)
{
    Rows red = walledMap('R');
    red[3][7] = '\0';
    EXPECT_EQ(errorFor(levelText(red)),
              std::string("red map contains invalid character '") + '\0' + "' on row 4.");
    red[3][7] = '\xFF';
    EXPECT_EQ(errorFor(levelText(red)), "red map contains invalid character '\xFF' on row 4.");

    const std::size_t hugeWidth = 8u << 20;
    red = walledMap('R');
    red[0] = std::string(hugeWidth, '#');
    EXPECT_EQ(errorFor(levelText(red)),
              "red map row 1 has " + std::to_string(hugeWidth) + " cells; expected 19.");

    const std::size_t manyRows = 200000;
    const Rows tallBlue(manyRows, std::string(MAP_COLUMNS, '#'));
    EXPECT_EQ(errorFor(levelText(walledMap('R'), tallBlue)),
              "blue map has " + std::to_string(manyRows) + " rows; expected 13.");

    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 131 + 7) % 256);
    EXPECT_FALSE(parseText(noise).ok);
}

TEST(ParseLevelFile, UnopenablePaths)
{
    TempDir dir;
    LevelData level;
    std::string error;
    EXPECT_FALSE(parseLevelFile((dir / "absent.txt").string(), level, error));
    EXPECT_EQ(error, "could not open the file.");
    std::filesystem::create_directory(dir / "folder.txt");
    error.clear();
    EXPECT_FALSE(parseLevelFile((dir / "folder.txt").string(), level, error));
    EXPECT_EQ(error, "could not open the file.");
    error.clear();
    EXPECT_FALSE(parseLevelFile("", level, error));
    EXPECT_EQ(error, "could not open the file.");
}

class LoadAllLevels : public ::testing::Test
{
protected:
    void writeLevels(const std::string& text)
    {
        for (int n = 1; n <= LEVEL_COUNT; ++n)
            writeFile(dir / levelPath(n), text);
    }

    // Marks the table so that an untouched table can be told from a reloaded one.
    static void markTable(bool loaded)
    {
        for (LevelData& level : levelTable)
            level.redMap.fill("marked");
        levelsLoaded = loaded;
    }

    static bool tableIsMarked()
    {
        for (const LevelData& level : levelTable)
            for (const std::string& row : level.redMap)
                if (row != "marked")
                    return false;
        return true;
    }

    std::string loadCapturingErrors(bool& result)
    {
        ::testing::internal::CaptureStderr();
        result = loadAllLevels();
        return ::testing::internal::GetCapturedStderr();
    }

    TempDir dir;
};

TEST_F(LoadAllLevels, FillsTheTableInLevelOrder)
{
    for (int n = 1; n <= LEVEL_COUNT; ++n)
    {
        Rows red = walledMap('R');
        red[1][n] = '#'; // tells the levels apart
        writeFile(dir / levelPath(n), levelText(red));
    }
    markTable(false);
    bool loaded = false;
    EXPECT_EQ(loadCapturingErrors(loaded), "");
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(levelsLoaded);
    for (int n = 1; n <= LEVEL_COUNT; ++n)
    {
        Rows red = walledMap('R');
        red[1][n] = '#';
        EXPECT_EQ(levelTable[static_cast<std::size_t>(n - 1)].redMap, toMap(red)) << n;
        EXPECT_EQ(levelTable[static_cast<std::size_t>(n - 1)].blueMap, toMap(walledMap('B'))) << n;
    }
}

TEST_F(LoadAllLevels, FirstFaultIsReportedOnceAndTheTableKept)
{
    writeLevels(levelText());
    Rows red = walledMap('R');
    red[3].pop_back();
    writeFile(dir / levelPath(3), levelText(red));
    writeFile(dir / levelPath(4), "broken too");

    for (const bool loadedBefore : {false, true})
    {
        markTable(loadedBefore);
        bool loaded = true;
        EXPECT_EQ(loadCapturingErrors(loaded),
                  "Level data error in assets/levels/level-03.txt: red map row 4 has 18 cells; "
                  "expected 19.\n");
        EXPECT_FALSE(loaded);
        EXPECT_EQ(levelsLoaded, loadedBefore);
        EXPECT_TRUE(tableIsMarked());
    }
}

TEST_F(LoadAllLevels, MissingFileOrDirectoryInItsPlace)
{
    writeLevels(levelText());
    std::filesystem::remove(dir / levelPath(5));
    markTable(false);
    bool loaded = true;
    EXPECT_EQ(loadCapturingErrors(loaded),
              "Level data error in assets/levels/level-05.txt: could not open the file.\n");
    EXPECT_FALSE(loaded);

    std::filesystem::create_directory(dir / levelPath(5));
    EXPECT_EQ(loadCapturingErrors(loaded),
              "Level data error in assets/levels/level-05.txt: could not open the file.\n");
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(levelsLoaded);
    EXPECT_TRUE(tableIsMarked());
}
