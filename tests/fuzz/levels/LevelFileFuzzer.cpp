// Feeds arbitrary bytes to the level loader through a real file: the maps of a file it
// accepts pass the map check again, and a refusal always comes with a message.
#include "Levels.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("halvren-level-fuzz-" + std::to_string(getpid()) + ".txt"))
                                        .string();
    [[maybe_unused]] static const int removedAtExit =
        std::atexit([] { std::remove(path.c_str()); });
    if (!std::ofstream(path, std::ios::binary)
             .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size)))
        return 0;

    LevelData level;
    std::string error;
    if (parseLevelFile(path, level, error) ? !validateMap(level.redMap, 'R', "red map", error) ||
                                                 !validateMap(level.blueMap, 'B', "blue map", error)
                                           : error.empty() || error.back() != '.')
        std::abort();
    return 0;
}
