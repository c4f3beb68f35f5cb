// Feeds arbitrary bytes to the level loader through a real file, and checks that a file it
// accepts really holds two valid maps and that a refusal always comes with a message.
#include "Levels.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

const std::string& inputPath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("halvren-level-fuzz-" + std::to_string(static_cast<long>(getpid())) + ".txt"))
            .string();
    return path;
}

void removeInputFile()
{
    std::remove(inputPath().c_str());
}

bool writeInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void checkAcceptedMap(const LevelMap& map, char marker)
{
    int markers = 0;
    int exits = 0;
    for (const std::string& row : map)
    {
        if (row.size() != static_cast<std::size_t>(MAP_COLUMNS))
            std::abort();
        for (const char cell : row)
        {
            if (cell == marker)
                ++markers;
            else if (cell == 'E')
                ++exits;
            else if (cell != '#' && cell != '.')
                std::abort();
        }
    }
    if (markers != 1 || exits != 1)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool cleanUpRegistered = std::atexit(removeInputFile) == 0;
    (void)cleanUpRegistered;
    if (!writeInput(data, size))
        return 0;

    LevelData level;
    std::string error;
    if (parseLevelFile(inputPath(), level, error))
    {
        checkAcceptedMap(level.redMap, 'R');
        checkAcceptedMap(level.blueMap, 'B');
        std::string again;
        if (!validateMap(level.redMap, 'R', "red map", again) ||
            !validateMap(level.blueMap, 'B', "blue map", again))
            std::abort();
    }
    else if (error.empty() || error.back() != '.')
    {
        std::abort();
    }
    return 0;
}
