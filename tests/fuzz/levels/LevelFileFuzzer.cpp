// Feeds arbitrary bytes to the level reader as a level file's text: every map row it accepts is
// a whole line of that text, and a refusal always comes with a message.
#include "Levels.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    LevelData level;
    std::string error;
    if (!parseLevelStream(in, level, error))
    {
        if (error.empty() || error.back() != '.')
            std::abort();
        return 0;
    }
    // A section header always comes before the rows, so each row follows a line feed.
    const std::string lines = text + "\n";
    for (const LevelMap* map : {&level.redMap, &level.blueMap})
        for (const std::string& row : *map)
            if (lines.find("\n" + row + "\n") == std::string::npos &&
                lines.find("\n" + row + "\r\n") == std::string::npos)
                std::abort();
    return 0;
}
