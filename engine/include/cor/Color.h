#ifndef COR_COLOR_H
#define COR_COLOR_H

#include <cstdint>

namespace cor
{

enum Color : std::int32_t
{
    BLACK = 0,
    RED = 1,
    GREEN = 2,
    YELLOW = 3,
    BLUE = 4,
    MAGENTA = 5,
    CYAN = 6,
    WHITE = 7
};

// Where drawText() places a string relative to its position.
enum Alignment : std::int32_t
{
    ALIGN_LEFT = 0,
    ALIGN_CENTER = 1,
    ALIGN_RIGHT = 2
};

} // namespace cor

#endif
