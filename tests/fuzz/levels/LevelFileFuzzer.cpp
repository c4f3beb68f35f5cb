// Feeds arbitrary bytes to the level loader through a real file, and checks that the maps of
// a file it accepts pass the map check again and that a refusal always comes with a message.
#include "Levels.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

const std::string inputPath = (std::filesystem::temp_directory_path() /
                               ("halvren-level-fuzz-" + std::to_string(getpid()) + ".txt"))
                                  .string();

void removeInputFile()
{
    std::remove(inputPath.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int cleanUp = std::atexit(removeInputFile);
    (void)cleanUp;
    std::FILE* file = std::fopen(inputPath.c_str(), "wb");
    if (file == nullptr)
        return 0;
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written)
        return 0;

    LevelData level;
    std::string error;
    if (parseLevelFile(inputPath, level, error))
    {
        if (!validateMap(level.redMap, 'R', "red map", error) ||
            !validateMap(level.blueMap, 'B', "blue map", error))
            std::abort();
    }
    else if (error.empty() || error.back() != '.')
        std::abort();
    return 0;
}
