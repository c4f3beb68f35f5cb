#include "Levels.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

std::array<LevelData, LEVEL_COUNT> levelTable;
bool levelsLoaded = false;

namespace
{

const std::string sectionsMissing =
    "the file must contain one [RED] section and one [BLUE] section.";
const std::string byteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::string levelPath(int levelNumber)
{
    char number[16];
    std::snprintf(number, sizeof number, "%02d", levelNumber);
    return std::string("assets/levels/level-") + number + ".txt";
}

bool parseLevelFile(const std::string& path, LevelData& level, std::string& error)
{
    std::ifstream file;
    std::error_code fileError;
    if (!std::filesystem::is_directory(path, fileError))
        file.open(path, std::ios::in | std::ios::binary);
    if (!file.is_open())
    {
        error = "could not open the file.";
        return false;
    }

    std::vector<std::string> redRows;
    std::vector<std::string> blueRows;
    bool redSeen = false;
    bool blueSeen = false;
    std::vector<std::string>* current = nullptr;

    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line))
    {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lineNumber == 1 && line.compare(0, byteOrderMark.size(), byteOrderMark) == 0)
            line.erase(0, byteOrderMark.size());

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
            current->push_back(line);
        }
    }

    if (!redSeen || !blueSeen)
    {
        error = sectionsMissing;
        return false;
    }
    if (!copyMapRows(redRows, level.redMap, "red map", error))
        return false;
    if (!copyMapRows(blueRows, level.blueMap, "blue map", error))
        return false;
    if (!validateMap(level.redMap, 'R', "red map", error))
        return false;
    return validateMap(level.blueMap, 'B', "blue map", error);
}

bool copyMapRows(const std::vector<std::string>& rows, LevelMap& map, const std::string& mapName,
                 std::string& error)
{
    if (rows.size() != static_cast<std::size_t>(MAP_ROWS))
    {
        error = mapName + " has " + std::to_string(rows.size()) + " rows; expected " +
                std::to_string(MAP_ROWS) + ".";
        return false;
    }
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
            else if (cell == 'E')
                ++exitCount;
            else if (cell != '#' && cell != '.')
            {
                error = mapName + " contains invalid character '" + std::string(1, cell) +
                        "' on row " + std::to_string(i + 1) + ".";
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
        error = mapName + " must contain exactly one 'E' marker; found " +
                std::to_string(exitCount) + ".";
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
