#include "cor/SpriteAnimation.h"

#include "cor/DisplayManager.h"
#include "cor/Sprite.h"

namespace cor
{

int SpriteAnimation::drawAt(const Vector& position)
{
    if (m_sprite == nullptr)
        return 0;
    if (m_frameIndex < 0 || m_frameIndex >= m_sprite->frameCount())
        return -1;
    const Frame& frame = m_sprite->frame(m_frameIndex);
    if (frame.text().empty())
        return -1;

    const std::int32_t width = frame.width();
    const std::int32_t height = frame.height();
    const std::int32_t halfWidth = width / 2;
    const std::int32_t halfHeight = height / 2;
    DisplayManager& display = DisplayManager::instance();
    const std::string& text = frame.text();
    for (std::int32_t row = 0; row < height; ++row)
    {
        for (std::int32_t column = 0; column < width; ++column)
        {
            const std::size_t index = static_cast<std::size_t>(row) * width + column;
            // A frame built by hand may be shorter than its size says; stop at its end.
            if (index >= text.size())
                return -1;
            const Vector cell(position.x + static_cast<float>(column - halfWidth),
                              position.y + static_cast<float>(row - halfHeight));
            if (display.drawCh(cell, text[index], m_sprite->color()) != 0)
                return -1;
        }
    }

    if (m_slowdownCount == FROZEN)
        return 0;
    ++m_slowdownCount;
    if (m_slowdownCount >= m_sprite->slowdown())
    {
        m_frameIndex = (m_frameIndex + 1 == m_sprite->frameCount()) ? 0 : m_frameIndex + 1;
        m_slowdownCount = 0;
    }
    return 0;
}

} // namespace cor
