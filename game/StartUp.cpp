#include "StartUp.h"

#include "HalvrenController.h"
#include "Levels.h"
#include "MusicLoops.h"

#include <cor/ResourceManager.h>

namespace
{

struct SpriteFile
{
    const char* path;
    const char* label;
};

// One sprite per line, in load order.
// clang-format off
const SpriteFile spriteFiles[] = {
    {"assets/red-player.txt", "red-player"},
    {"assets/blue-player.txt", "blue-player"},
    {"assets/red-wall.txt", "red-wall"},
    {"assets/blue-wall.txt", "blue-wall"},
    {"assets/red-exit.txt", "red-exit"},
    {"assets/blue-exit.txt", "blue-exit"},
    {"assets/halvren-title.txt", "halvren-title"},
    {"assets/gameover.txt", "gameover"},
};
// clang-format on

} // namespace

HalvrenController* startGame()
{
    if (!loadAllLevels())
        return nullptr;

    cor::ResourceManager& resources = cor::ResourceManager::instance();
    for (const SpriteFile& sprite : spriteFiles)
    {
        if (resources.loadSprite(sprite.path, sprite.label) != 0)
            return nullptr;
    }

    if (resources.loadMusic("sound/BGM/BGM.ogg", "bgm") != 0)
        return nullptr;
    if (cor::Music* music = resources.findMusic("bgm"))
    {
        music->setLoopPoints(MENU_MUSIC_LOOP.start, MENU_MUSIC_LOOP.length());
        music->setLooping(true);
        music->play();
    }

    return new HalvrenController;
}
