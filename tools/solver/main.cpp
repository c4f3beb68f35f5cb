// halvren-solver: finds the shortest solution of each level file.
#include "LevelSolver.h"
#include "Levels.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const char* const HELP_TEXT =
    "Usage: halvren-solver [LEVEL-FILE...]\n"
    "\n"
    "Reads each level file with the game's own loader and searches for the fewest key\n"
    "presses that bring both characters onto their exits. Without files it reads the five\n"
    "levels assets/levels/level-01.txt ... level-05.txt under the working directory.\n"
    "\n"
    "One line per file on standard output, fields separated by single spaces:\n"
    "  PATH solvable moves=N keys=KEYS holdless=H enclosed=E\n"
    "  PATH unsolvable holdless=H enclosed=E\n"
    "  PATH error MESSAGE\n"
    "where PATH is the file as given, N the fewest moves, KEYS one shortest sequence of\n"
    "W (up), A (left), S (down) and D (right), H is 'solvable' or 'unsolvable' for a search\n"
    "that never lets a wall hold one character while the other moves, E is 'yes' when\n"
    "neither character can reach the edge of its map and 'no' otherwise (moves off the map\n"
    "are then treated as blocked), and MESSAGE is the loader's message.\n"
    "\n"
    "Exit status: 0 when every file loaded, 1 when a file could not be loaded, 2 for a\n"
    "usage error.\n";

bool solveFile(const std::string& path)
{
    LevelData level;
    std::string error;
    if (!parseLevelFile(path, level, error))
    {
        std::printf("%s error %s\n", path.c_str(), error.c_str());
        return false;
    }

    Cell redStart, blueStart;
    findCell(level.redMap, RED_LETTER, redStart);
    findCell(level.blueMap, BLUE_LETTER, blueStart);
    const bool enclosed =
        !canWalkOffMap(level.redMap, redStart) && !canWalkOffMap(level.blueMap, blueStart);
    const Solution best = solveLevel(level, MoveSet::Any);
    const Solution holdless = solveLevel(level, MoveSet::Holdless);
    const char* holdlessText = holdless.solvable ? "solvable" : "unsolvable";
    const char* enclosedText = enclosed ? "yes" : "no";
    if (best.solvable)
        std::printf("%s solvable moves=%d keys=%s holdless=%s enclosed=%s\n", path.c_str(),
                    best.moves, best.keys.c_str(), holdlessText, enclosedText);
    else
        std::printf("%s unsolvable holdless=%s enclosed=%s\n", path.c_str(), holdlessText,
                    enclosedText);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
        {
            std::fputs(HELP_TEXT, stdout);
            return 0;
        }
        if (argv[i][0] == '-' && argv[i][1] != '\0')
        {
            std::fprintf(stderr, "halvren-solver: unknown option %s\n%s", argv[i], HELP_TEXT);
            return 2;
        }
        paths.emplace_back(argv[i]);
    }
    if (paths.empty())
    {
        for (int n = 1; n <= LEVEL_COUNT; ++n)
            paths.push_back(levelPath(n));
    }

    bool allLoaded = true;
    for (const std::string& path : paths)
        allLoaded = solveFile(path) && allLoaded;
    return allLoaded ? 0 : 1;
}
