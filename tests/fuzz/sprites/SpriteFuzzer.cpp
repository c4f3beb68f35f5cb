// Feeds arbitrary bytes to the sprite reader as a sprite file's text and checks what it
// promises: a sprite holds exactly its frames, each of width x height characters, and a
// refusal is one log message and no sprite.
#include "SpriteFile.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace
{

// The fuzzer's stack trace names the failed check's line.
void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const cor::SpriteRead read = cor::readSprite(in);
    const cor::Sprite* sprite = read.sprite.get();
    if (sprite == nullptr)
    {
        const std::string& message = read.message;
        check(message.rfind("ResourceManager::loadSprite(): ", 0) == 0 && message.back() == '\n' &&
              message.find('\n') == message.size() - 1);
        return 0;
    }
    check(read.message.empty() && sprite->width() > 0 && sprite->height() > 0 &&
          sprite->frameCount() == sprite->maxFrameCount() && sprite->label().empty());
    const auto cells =
        static_cast<std::size_t>(sprite->width()) * static_cast<std::size_t>(sprite->height());
    for (std::int32_t i = 0; i < sprite->frameCount(); ++i)
        check(sprite->frame(i).text().size() == cells);
    // Every character of every frame came from the text.
    check(cells * static_cast<std::size_t>(sprite->frameCount()) <= size);
    return 0;
}
