#ifndef HALVREN_LEVELS_H
#define HALVREN_LEVELS_H

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

inline constexpr int LEVEL_COUNT = 5;
inline constexpr int MAP_ROWS = 13;
inline constexpr int MAP_COLUMNS = 19;

using LevelMap = std::array<std::string, MAP_ROWS>;

// One level: the red world's map and the blue world's map, row 0 first.
struct LevelData
{
    LevelMap redMap;
    LevelMap blueMap;
};

// Index n - 1 holds level n; filled only by a successful loadAllLevels().
extern std::array<LevelData, LEVEL_COUNT> levelTable;
extern bool levelsLoaded;

// "assets/levels/level-01.txt" for level 1.
std::string levelPath(int levelNumber);

// Reads and checks one level file; on false, error holds the fault.
bool parseLevelFile(const std::string& path, LevelData& level, std::string& error);
// The same for a level file's text.
bool parseLevelStream(std::istream& in, LevelData& level, std::string& error);

// Takes exactly MAP_ROWS rows into the map.
bool copyMapRows(const std::vector<std::string>& rows, LevelMap& map, const std::string& mapName,
                 std::string& error);

// Row widths, allowed characters, one marker and one exit.
bool validateMap(const LevelMap& map, char marker, const std::string& mapName, std::string& error);

// Reads all five levels into levelTable; reports the first fault on standard error.
bool loadAllLevels();

#endif
