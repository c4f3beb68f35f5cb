#include "Levels.h"

#include "BoardCells.h"

#include <cor/DataFile.h>
#include <cor/PrintableText.h>

#include <cstdio>
#include <iostream>
#include <memory>

std::array<LevelData, LEVEL_COUNT> levelTable;
bool levelsLoaded = false;

namespace
{

const std::string SECTIONS_MISSING =
    "the file must contain one [RED] section and one [BLUE] section.";
const std::string BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// A section's rows as far as anything reads them: a map takes exactly MAP_ROWS rows, so
// rows beyond those are only counted.
struct SectionRows
{
    std::vector<std::string> kept;
    std::size_t count = 0;

    void add(const std::string& row)
    {
        if (kept.size() < static_cast<std::size_t>(MAP_ROWS))
            kept.push_back(row);
        ++count;
    }
};

// A map has exactly MAP_ROWS rows.
bool hasMapRowCount(std::size_t rowCount, const std::string& mapName, std::string& error)
{
    if (rowCount == static_cast<std::size_t>(MAP_ROWS))
        return true;
    error = mapName + " has " + std::to_string(rowCount) + " rows; expected " +
            std::to_string(MAP_ROWS) + ".";
    return false;
}

bool copySectionRows(const SectionRows& rows, LevelMap& map, const std::string& mapName,
                     std::string& error)
{
    return hasMapRowCount(rows.count, mapName, error) &&
           copyMapRows(rows.kept, map, mapName, error);
}

} // namespace

std::string levelPath(int levelNumber)
{
    char number[16];
    std::snprintf(number, sizeof number, "%02d", levelNumber);
    return std::string("assets/levels/level-") + number + ".txt";
}

bool parseLevelFile(const std::string& path, LevelData& level, std::string& error)
{
    const std::unique_ptr<std::istream> file = cor::openDataFile(path);
    if (file == nullptr)
    {
        error = "could not open the file.";
        return false;
    }
    return parseLevelStream(*file, level, error);
}

bool parseLevelStream(std::istream& in, LevelData& level, std::string& error)
{
    SectionRows redRows;
    SectionRows blueRows;
    bool redSeen = false;
    bool blueSeen = false;
    SectionRows* current = nullptr;

    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line))
    {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lineNumber == 1 && line.compare(0, BYTE_ORDER_MARK.size(), BYTE_ORDER_MARK) == 0)
            line.erase(0, BYTE_ORDER_MARK.size());

        if (line == "[RED]")
        {
            if (redSeen)
            {
                error = "duplicate [RED] section on line " + std::to_string(lineNumber) + ".";
                return false;
            }
            redSeen = true;
            current = &redRows;
        }
        else if (line == "[BLUE]")
        {
            if (blueSeen)
            {
                error = "duplicate [BLUE] section on line " + std::to_string(lineNumber) + ".";
                return false;
            }
            blueSeen = true;
            current = &blueRows;
        }
        else if (line.empty())
        {
            continue;
        }
        else if (current == nullptr)
        {
            error = "map data appears before a [RED] or [BLUE] section on line " +
                    std::to_string(lineNumber) + ".";
            return false;
        }
        else
        {
            current->add(line);
        }
    }

    if (!redSeen || !blueSeen)
    {
        error = SECTIONS_MISSING;
        return false;
    }
    if (!copySectionRows(redRows, level.redMap, "red map", error))
        return false;
    if (!copySectionRows(blueRows, level.blueMap, "blue map", error))
        return false;
    if (!validateMap(level.redMap, RED_LETTER, "red map", error))
        return false;
    return validateMap(level.blueMap, BLUE_LETTER, "blue map", error);
}

bool copyMapRows(const std::vector<std::string>& rows, LevelMap& map, const std::string& mapName,
                 std::string& error)
{
    if (!hasMapRowCount(rows.size(), mapName, error))
        return false;
    for (int i = 0; i < MAP_ROWS; ++i)
        map[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(i)];
    return true;
}

bool validateMap(const LevelMap& map, char marker, const std::string& mapName, std::string& error)
{
    int markerCount = 0;
    int exitCount = 0;
    for (int i = 0; i < MAP_ROWS; ++i)
    {
        const std::string& row = map[static_cast<std::size_t>(i)];
        if (row.size() != static_cast<std::size_t>(MAP_COLUMNS))
        {
            error = mapName + " row " + std::to_string(i + 1) + " has " +
                    std::to_string(row.size()) + " cells; expected " + std::to_string(MAP_COLUMNS) +
                    ".";
            return false;
        }
        for (const char cell : row)
        {
            if (cell == marker)
                ++markerCount;
            else if (cell == EXIT_LETTER)
                ++exitCount;
            else if (cell != WALL_LETTER && cell != OPEN_LETTER)
            {
                // A control character is shown escaped, not sent raw to the terminal.
                error = mapName + " contains invalid character '" +
                        cor::escapeControlCharacters(std::string(1, cell)) + "' on row " +
                        std::to_string(i + 1) + ".";
                return false;
            }
        }
    }
    if (markerCount != 1)
    {
        error = mapName + " must contain exactly one '" + std::string(1, marker) +
                "' marker; found " + std::to_string(markerCount) + ".";
        return false;
    }
    if (exitCount != 1)
    {
        error = mapName + " must contain exactly one '" + std::string(1, EXIT_LETTER) +
                "' marker; found " + std::to_string(exitCount) + ".";
        return false;
    }
    return true;
}

bool loadAllLevels()
{
    std::array<LevelData, LEVEL_COUNT> loaded;
    std::string error;
    for (int n = 1; n <= LEVEL_COUNT; ++n)
    {
        const std::string path = levelPath(n);
        error.clear();
        if (!parseLevelFile(path, loaded[static_cast<std::size_t>(n - 1)], error))
        {
            std::cerr << "Level data error in " << path << ": " << error << std::endl;
            return false;
        }
    }
    levelTable = loaded;
    levelsLoaded = true;
    return true;
}
