// Feeds arbitrary bytes to the sprite loader as a sprite file and checks what it promises:
// a loaded sprite holds exactly its frames, each of width x height characters, and a
// refused file leaves the table as it was.
#include <cor/LogManager.h>
#include <cor/ResourceManager.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

const char* const fileName = "fuzz-sprite.txt";
const char* const label = "fuzzed";
std::filesystem::path workDir;

void removeWorkDir()
{
    std::error_code error;
    std::filesystem::remove_all(workDir, error);
}

void check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "sprite fuzzer: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Work (and log) in a directory of our own, in memory where the system offers it.
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    workDir = base / ("halvren-sprite-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(workDir);
    std::filesystem::current_path(workDir);
    std::atexit(removeWorkDir);
    check(cor::LogManager::instance().initialize() == 0, "cannot start the log");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static unsigned runs = 0;
    if (++runs % 4096 == 0)
        check(cor::LogManager::instance().initialize() == 0, // keeps the log file small
              "cannot empty the log");

    std::FILE* file = std::fopen(fileName, "wb");
    check(file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
          "cannot write the input file");

    cor::ResourceManager& resources = cor::ResourceManager::instance();
    check(resources.initialize() == 0, "cannot empty the resource tables");
    const int result = resources.loadSprite(fileName, label);
    const cor::Sprite* sprite = resources.findSprite(label);
    if (result != 0)
    {
        check(result == -1, "a failure other than -1");
        check(resources.spriteCount() == 0 && sprite == nullptr, "a refused sprite was kept");
    }
    else
    {
        check(resources.spriteCount() == 1 && sprite != nullptr, "a loaded sprite is missing");
        check(sprite->width() > 0 && sprite->height() > 0, "a sprite without size");
        check(sprite->frameCount() == sprite->maxFrameCount(), "frames missing");
        const auto cells =
            static_cast<std::size_t>(sprite->width()) * static_cast<std::size_t>(sprite->height());
        for (std::int32_t i = 0; i < sprite->frameCount(); ++i)
            check(sprite->frame(i).text().size() == cells, "a frame of the wrong size");
        // Every character of every frame came from the file.
        check(cells * static_cast<std::size_t>(sprite->frameCount()) <= size,
              "more frame data than input");
    }
    resources.shutdown();
    return 0;
}
