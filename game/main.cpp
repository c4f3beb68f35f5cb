// HALVREN: two prisoners, two worlds, one set of keys.
#include "HalvrenController.h"
#include "Levels.h"
#include "MusicLoops.h"
#include "SelfCheck.h"

#include <cor/GameManager.h>
#include <cor/ResourceManager.h>

#include <cstring>

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

int failStartUp()
{
    cor::GameManager::instance().shutdown();
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    cor::GameManager& game = cor::GameManager::instance();
    if (game.initialize() != 0)
        return -1;

    if (argc > 1 && std::strcmp(argv[1], "--test") == 0)
    {
        const int result = runSelfCheck();
        game.shutdown();
        return result;
    }

    if (!loadAllLevels())
        return failStartUp();

    cor::ResourceManager& resources = cor::ResourceManager::instance();
    for (const SpriteFile& sprite : spriteFiles)
    {
        if (resources.loadSprite(sprite.path, sprite.label) != 0)
            return failStartUp();
    }

    if (resources.loadMusic("sound/BGM/BGM.ogg", "bgm") != 0)
        return failStartUp();
    if (cor::Music* music = resources.findMusic("bgm"))
    {
        music->setLoopPoints(MENU_MUSIC_LOOP.start, MENU_MUSIC_LOOP.length());
        music->setLooping(true);
        music->play();
    }

    new HalvrenController;

    game.run();
    game.shutdown();
    return 0;
}
