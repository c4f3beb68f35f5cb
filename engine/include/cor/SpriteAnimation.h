#ifndef COR_SPRITE_ANIMATION_H
#define COR_SPRITE_ANIMATION_H

#include "cor/Vector.h"

#include <cstdint>

namespace cor
{

class Sprite;

// Which sprite an object shows and where it is in the sprite's frame sequence.
class SpriteAnimation
{
public:
    // slowdownCount set to this value keeps the animation on its current frame.
    static constexpr std::int32_t FROZEN = -1;

    // Draws the current frame centred on position, then advances by the sprite's slowdown.
    int drawAt(const Vector& position);

    const Sprite* sprite() const { return m_sprite; }
    void setSprite(const Sprite* sprite) { m_sprite = sprite; }
    std::int32_t frameIndex() const { return m_frameIndex; }
    void setFrameIndex(std::int32_t index) { m_frameIndex = index; }
    std::int32_t slowdownCount() const { return m_slowdownCount; }
    void setSlowdownCount(std::int32_t count) { m_slowdownCount = count; }

private:
    const Sprite* m_sprite = nullptr;
    std::int32_t m_frameIndex = 0;
    std::int32_t m_slowdownCount = 0;
};

} // namespace cor

#endif
