#ifndef HALVREN_LEVEL_TEST_DATA_H
#define HALVREN_LEVEL_TEST_DATA_H

// Small, valid maps and level texts built from them, for the loader tests.

#include "Levels.h"

#include <string>
#include <vector>

namespace leveltest
{

using Rows = std::vector<std::string>;

// A walled map with its marker and exit inside.
inline Rows walledMap(char marker)
{
    Rows rows(MAP_ROWS, "#" + std::string(MAP_COLUMNS - 2, '.') + "#");
    rows.front() = rows.back() = std::string(MAP_COLUMNS, '#');
    rows[2][3] = marker;
    rows[9][14] = 'E';
    return rows;
}

inline std::string joinLines(const Rows& lines, const std::string& lineEnd = "\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + lineEnd;
    return text;
}

inline Rows section(const std::string& header, const Rows& rows)
{
    Rows lines{header};
    lines.insert(lines.end(), rows.begin(), rows.end());
    return lines;
}

inline Rows levelLines(const Rows& red = walledMap('R'), const Rows& blue = walledMap('B'))
{
    Rows lines = section("[RED]", red);
    const Rows blueLines = section("[BLUE]", blue);
    lines.insert(lines.end(), blueLines.begin(), blueLines.end());
    return lines;
}

inline std::string levelText(const Rows& red = walledMap('R'), const Rows& blue = walledMap('B'))
{
    return joinLines(levelLines(red, blue));
}

inline LevelMap toMap(const Rows& rows)
{
    LevelMap map;
    for (std::size_t i = 0; i < map.size() && i < rows.size(); ++i)
        map[i] = rows[i];
    return map;
}

} // namespace leveltest

#endif
