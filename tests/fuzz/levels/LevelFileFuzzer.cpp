// Feeds arbitrary bytes to the level reader as a level file's text: the maps of a text it
// accepts pass the map check again, and a refusal always comes with a message.
#include "Levels.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    LevelData level;
    std::string error;
    if (parseLevelStream(in, level, error) ? !validateMap(level.redMap, 'R', "red map", error) ||
                                                 !validateMap(level.blueMap, 'B', "blue map", error)
                                           : error.empty() || error.back() != '.')
        std::abort();
    return 0;
}
