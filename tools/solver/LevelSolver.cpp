#include "LevelSolver.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace
{

constexpr int CELL_COUNT = MAP_ROWS * MAP_COLUMNS;

bool insideMap(int row, int column)
{
    return row >= 0 && row < MAP_ROWS && column >= 0 && column < MAP_COLUMNS;
}

bool isWall(const LevelMap& map, int row, int column)
{
    const std::string& cells = map[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) >= cells.size() ||
           cells[static_cast<std::size_t>(column)] == WALL_LETTER;
}

int cellIndex(Cell cell)
{
    return cell.row * MAP_COLUMNS + cell.column;
}

Cell cellAt(int index)
{
    return Cell{index / MAP_COLUMNS, index % MAP_COLUMNS};
}

Cell neighbour(Cell cell, const MoveKey& move)
{
    return Cell{cell.row + move.dy, cell.column + move.dx};
}

// A search state is the pair of positions, red index * CELL_COUNT + blue index.
struct Visit
{
    int previous = -1;
    char key = 0;
    bool seen = false;
};

} // namespace

bool findCell(const LevelMap& map, char character, Cell& cell)
{
    for (int row = 0; row < MAP_ROWS; ++row)
    {
        const std::size_t column = map[static_cast<std::size_t>(row)].find(character);
        if (column != std::string::npos && column < static_cast<std::size_t>(MAP_COLUMNS))
        {
            cell = Cell{row, static_cast<int>(column)};
            return true;
        }
    }
    return false;
}

Cell stepCharacter(const LevelMap& map, Cell from, const MoveKey& move)
{
    const Cell to = neighbour(from, move);
    if (!insideMap(to.row, to.column) || isWall(map, to.row, to.column))
        return from;
    return to;
}

bool canWalkOffMap(const LevelMap& map, Cell start)
{
    std::vector<bool> seen(CELL_COUNT, false);
    std::vector<Cell> pending{start};
    seen[static_cast<std::size_t>(cellIndex(start))] = true;
    while (!pending.empty())
    {
        const Cell cell = pending.back();
        pending.pop_back();
        for (const MoveKey& move : MOVE_KEYS)
        {
            const Cell next = neighbour(cell, move);
            if (!insideMap(next.row, next.column))
                return true;
            if (isWall(map, next.row, next.column) ||
                seen[static_cast<std::size_t>(cellIndex(next))])
                continue;
            seen[static_cast<std::size_t>(cellIndex(next))] = true;
            pending.push_back(next);
        }
    }
    return false;
}

Solution solveLevel(const LevelData& level, MoveSet moveSet)
{
    Cell redStart, redExit, blueStart, blueExit;
    if (!findCell(level.redMap, RED_LETTER, redStart) ||
        !findCell(level.redMap, EXIT_LETTER, redExit) ||
        !findCell(level.blueMap, BLUE_LETTER, blueStart) ||
        !findCell(level.blueMap, EXIT_LETTER, blueExit))
        return Solution{};

    const int startState = cellIndex(redStart) * CELL_COUNT + cellIndex(blueStart);
    std::vector<Visit> visits(static_cast<std::size_t>(CELL_COUNT) * CELL_COUNT);
    std::deque<int> queue{startState};
    visits[static_cast<std::size_t>(startState)].seen = true;

    // A start cell is never its map's exit (each cell holds one letter), so the search
    // starts unsolved and every goal found lies at least one move away.
    int goalState = -1;
    while (!queue.empty() && goalState < 0)
    {
        const int state = queue.front();
        queue.pop_front();
        const Cell red = cellAt(state / CELL_COUNT);
        const Cell blue = cellAt(state % CELL_COUNT);
        for (const MoveKey& move : MOVE_KEYS)
        {
            const Cell nextRed = stepCharacter(level.redMap, red, move);
            const Cell nextBlue = stepCharacter(level.blueMap, blue, move);
            const bool redMoved = !(nextRed == red);
            const bool blueMoved = !(nextBlue == blue);
            if (moveSet == MoveSet::Holdless && redMoved != blueMoved)
                continue;
            const int next = cellIndex(nextRed) * CELL_COUNT + cellIndex(nextBlue);
            Visit& visit = visits[static_cast<std::size_t>(next)];
            if (visit.seen)
                continue;
            visit = Visit{state, move.letter, true};
            if (nextRed == redExit && nextBlue == blueExit)
            {
                goalState = next;
                break;
            }
            queue.push_back(next);
        }
    }
    if (goalState < 0)
        return Solution{};

    Solution solution;
    solution.solvable = true;
    for (int state = goalState; state != startState;
         state = visits[static_cast<std::size_t>(state)].previous)
        solution.keys += visits[static_cast<std::size_t>(state)].key;
    std::reverse(solution.keys.begin(), solution.keys.end());
    solution.moves = static_cast<int>(solution.keys.size());
    return solution;
}
