#include "GameData.h"

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

// clang-format off
const SpriteFile SPRITE_FILES[] = {
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

bool loadGameData()
{
    if (!loadAllLevels())
        return false;
    cor::ResourceManager& resources = cor::ResourceManager::instance();
    for (const SpriteFile& sprite : SPRITE_FILES)
    {
        if (resources.loadSprite(sprite.path, sprite.label) != 0)
            return false;
    }
    return resources.loadMusic(MUSIC_FILE, MUSIC_LABEL) == 0;
}

void startMenuMusic()
{
    cor::Music* music = cor::ResourceManager::instance().findMusic(MUSIC_LABEL);
    if (music == nullptr)
        return;
    music->setLoopPoints(MENU_MUSIC_LOOP.start, MENU_MUSIC_LOOP.length());
    music->setLooping(true);
    music->play();
}
