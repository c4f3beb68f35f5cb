#ifndef COR_COLOR_TABLE_H
#define COR_COLOR_TABLE_H

#include "cor/Color.h"

#include <cstdint>

namespace cor
{

// Each colour's word in a sprite file and its value on the screen, indexed by Color.
struct ColorEntry
{
    const char* word;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

inline constexpr ColorEntry COLOR_TABLE[] = {
    {"black", 0, 0, 0},  {"red", 255, 0, 0},       {"green", 0, 255, 0},  {"yellow", 255, 255, 0},
    {"blue", 0, 0, 255}, {"magenta", 255, 0, 255}, {"cyan", 0, 255, 255}, {"white", 255, 255, 255},
};
static_assert(sizeof COLOR_TABLE / sizeof COLOR_TABLE[0] == WHITE + 1, "one entry per colour");

// Whether the value is one of the Color enumerators.
inline bool isColor(Color color)
{
    return color >= BLACK && color <= WHITE;
}

} // namespace cor

#endif
