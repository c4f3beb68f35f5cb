#include "GameData.h"

#include "BoardCells.h"
#include "Levels.h"
#include "MusicLoops.h"

#include <cor/ResourceManager.h>

#include <string>

namespace
{

// In load order.
const char* const SPRITE_LABELS[] = {
    CHARACTER_CELL.spriteLabel[RED_WORLD],
    CHARACTER_CELL.spriteLabel[BLUE_WORLD],
    WALL_CELL.spriteLabel[RED_WORLD],
    WALL_CELL.spriteLabel[BLUE_WORLD],
    EXIT_CELL.spriteLabel[RED_WORLD],
    EXIT_CELL.spriteLabel[BLUE_WORLD],
    TITLE_ART_LABEL,
    GAME_OVER_ART_LABEL,
};

} // namespace

bool loadGameData()
{
    if (!loadAllLevels())
        return false;
    cor::ResourceManager& resources = cor::ResourceManager::instance();
    for (const char* label : SPRITE_LABELS)
    {
        if (resources.loadSprite(std::string("assets/") + label + ".txt", label) != 0)
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
