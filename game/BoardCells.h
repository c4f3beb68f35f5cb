#ifndef HALVREN_BOARD_CELLS_H
#define HALVREN_BOARD_CELLS_H

#include "Altitudes.h"

#include <cor/Object.h>

#include <cstdint>

// The two worlds of a level; a level file holds the red map first.
enum World : std::int32_t
{
    RED_WORLD = 0,
    BLUE_WORLD = 1
};
inline constexpr int WORLD_COUNT = 2;

// The letters of a map. Walls, exits and open cells are lettered alike in both worlds; each
// world's character has a letter of its own, and the other world's is not allowed.
inline constexpr char WALL_LETTER = '#';
inline constexpr char EXIT_LETTER = 'E';
inline constexpr char OPEN_LETTER = '.';
inline constexpr char RED_LETTER = 'R';
inline constexpr char BLUE_LETTER = 'B';

// The letters that put something on the board, and what each one puts there.
struct CellKind
{
    char letter[WORLD_COUNT];
    const char* typeName;
    cor::Solidness solidness;
    std::int32_t altitude;
    const char* spriteLabel[WORLD_COUNT];
};

inline constexpr CellKind WALL_CELL{
    {WALL_LETTER, WALL_LETTER}, "wall", cor::BLOCKING, WALL_ALTITUDE, {"red-wall", "blue-wall"}};
// Exits never block: a character walks onto its exit and off it again.
inline constexpr CellKind EXIT_CELL{
    {EXIT_LETTER, EXIT_LETTER}, "exit", cor::INTANGIBLE, EXIT_ALTITUDE, {"red-exit", "blue-exit"}};
inline constexpr CellKind CHARACTER_CELL{{RED_LETTER, BLUE_LETTER},
                                         "player",
                                         cor::BLOCKING,
                                         CHARACTER_ALTITUDE,
                                         {"red-player", "blue-player"}};
// In the order a cell is matched and the level's objects are cleared.
inline constexpr const CellKind* BOARD_CELLS[] = {&WALL_CELL, &EXIT_CELL, &CHARACTER_CELL};

// The kind of board object a letter of the world's map makes; null for an open cell or a
// letter that makes nothing.
inline const CellKind* cellKindOf(char letter, World world)
{
    for (const CellKind* kind : BOARD_CELLS)
    {
        if (kind->letter[world] == letter)
            return kind;
    }
    return nullptr;
}

#endif
