#ifndef COR_SPRITE_H
#define COR_SPRITE_H

#include "cor/Color.h"
#include "cor/Frame.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cor
{

// Frames of character art in one colour, found by label.
// maxFrameCount slots are promised at creation; storage grows only as frames arrive.
class Sprite
{
public:
    explicit Sprite(std::int32_t maxFrameCount);

    // Copies the frame into the next slot; -1 when every slot is filled.
    [[nodiscard]] int pushFrame(const Frame& frame);
    // The frame in slot index; an empty frame for a slot not filled.
    const Frame& frame(std::int32_t index) const;

    std::int32_t width() const { return m_width; }
    void setWidth(std::int32_t width) { m_width = width; }
    std::int32_t height() const { return m_height; }
    void setHeight(std::int32_t height) { m_height = height; }
    std::int32_t maxFrameCount() const { return m_maxFrameCount; }
    std::int32_t frameCount() const { return m_frameCount; }
    Color color() const { return m_color; }
    void setColor(Color color) { m_color = color; }
    std::int32_t slowdown() const { return m_slowdown; }
    void setSlowdown(std::int32_t slowdown) { m_slowdown = slowdown; }
    const std::string& label() const { return m_label; }
    void setLabel(const std::string& label) { m_label = label; }

private:
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_maxFrameCount;
    std::int32_t m_frameCount = 0;
    Color m_color = WHITE;
    std::int32_t m_slowdown = 0;
    std::vector<Frame> m_frames;
    std::string m_label;
};

} // namespace cor

#endif
