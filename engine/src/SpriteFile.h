#ifndef COR_SPRITE_FILE_H
#define COR_SPRITE_FILE_H

#include "cor/Sprite.h"

#include <istream>
#include <memory>
#include <string>

namespace cor
{

// A sprite file's outcome: the sprite, or null and the one log message that says why.
struct SpriteRead
{
    std::unique_ptr<Sprite> sprite;
    std::string message;
};

// Reads a sprite file's text up to the last row of its last frame; the sprite has no label.
SpriteRead readSprite(std::istream& in);

} // namespace cor

#endif
