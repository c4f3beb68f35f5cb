#include "cor/Sprite.h"

namespace cor
{

Sprite::Sprite(std::int32_t maxFrameCount) : m_maxFrameCount(maxFrameCount) {}

int Sprite::pushFrame(const Frame& frame)
{
    if (m_frameCount >= m_maxFrameCount)
        return -1;
    m_frames.push_back(frame);
    ++m_frameCount;
    return 0;
}

const Frame& Sprite::frame(std::int32_t index) const
{
    static const Frame emptyFrame;
    if (index < 0 || index >= m_frameCount)
        return emptyFrame;
    return m_frames[static_cast<std::size_t>(index)];
}

} // namespace cor
