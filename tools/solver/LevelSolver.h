#ifndef HALVREN_LEVEL_SOLVER_H
#define HALVREN_LEVEL_SOLVER_H

// The move rule of a level and a breadth-first search over it.
//
// One key press moves both characters one cell in the same direction. Each one is stopped
// only by a wall of its own map (exits do not block); red moves first, then blue, each on its
// own. A level is solved when, after a move, both characters stand on their exits. Every key
// press counts as one move, even when neither character moves.
//
// A move that would leave the 13 x 19 map is treated as blocked; canWalkOffMap() tells whether
// a map relies on that.

#include "BoardCells.h"
#include "Levels.h"
#include "MoveKeys.h"

#include <string>

struct Cell
{
    int row = 0;
    int column = 0;
};

inline bool operator==(const Cell& a, const Cell& b)
{
    return a.row == b.row && a.column == b.column;
}

// The first cell holding the character, scanning rows top to bottom; false if there is none.
bool findCell(const LevelMap& map, char character, Cell& cell);

// Where a character standing on `from` ends up after the move.
Cell stepCharacter(const LevelMap& map, Cell from, const MoveKey& move);

// True when the character starting on `start` can reach the map's edge with an open cell,
// from which a real move would take it off the map.
bool canWalkOffMap(const LevelMap& map, Cell start);

// Which moves the search may use. Holdless leaves out every move in which one character is
// held by a wall while the other moves.
enum class MoveSet
{
    Any,
    Holdless
};

struct Solution
{
    bool solvable = false;
    int moves = 0;    // the fewest key presses that solve the level
    std::string keys; // one shortest sequence, as the move keys' letters
};

// A level as loaded by parseLevelFile(): one character and one exit in each map.
Solution solveLevel(const LevelData& level, MoveSet moveSet);

#endif
