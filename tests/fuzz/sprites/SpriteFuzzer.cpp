// Feeds arbitrary bytes to the sprite loader as a sprite file and checks what it promises:
// a loaded sprite holds exactly its frames, each of width x height characters, and a
// refused file leaves the table as it was.
#include <cor/LogManager.h>
#include <cor/ResourceManager.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

// The fuzzer's stack trace names the failed check's line.
void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Work (and log) in a directory of our own, in memory where the system offers it.
    static const fs::path workDir =
        (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
        ("halvren-sprite-fuzz-" + std::to_string(getpid()));
    fs::create_directories(workDir);
    fs::current_path(workDir);
    static std::error_code ignored;
    std::atexit([] { (void)fs::remove_all(workDir, ignored); });
    check(cor::LogManager::instance().initialize() == 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static unsigned runs = 0;
    if (++runs % 4096 == 0)
        check(cor::LogManager::instance().initialize() == 0); // keeps the log file small
    check(static_cast<bool>(
        std::ofstream("fuzz-sprite.txt", std::ios::binary)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size))));

    cor::ResourceManager& resources = cor::ResourceManager::instance();
    check(resources.initialize() == 0);
    const int result = resources.loadSprite("fuzz-sprite.txt", "fuzzed");
    const cor::Sprite* sprite = resources.findSprite("fuzzed");
    check(result == 0 || (result == -1 && resources.spriteCount() == 0 && sprite == nullptr));
    if (result == 0)
    {
        check(resources.spriteCount() == 1 && sprite != nullptr && sprite->width() > 0 &&
              sprite->height() > 0 && sprite->frameCount() == sprite->maxFrameCount());
        const auto cells =
            static_cast<std::size_t>(sprite->width()) * static_cast<std::size_t>(sprite->height());
        for (std::int32_t i = 0; i < sprite->frameCount(); ++i)
            check(sprite->frame(i).text().size() == cells);
        // Every character of every frame came from the file.
        check(cells * static_cast<std::size_t>(sprite->frameCount()) <= size);
    }
    resources.shutdown();
    return 0;
}
