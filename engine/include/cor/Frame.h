#ifndef COR_FRAME_H
#define COR_FRAME_H

#include <cstdint>
#include <string>

namespace cor
{

// One frame of character art: width x height characters, rows concatenated top first.
class Frame
{
public:
    Frame() = default;
    Frame(std::int32_t width, std::int32_t height, std::string text);

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    const std::string& text() const { return m_text; }

private:
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::string m_text;
};

} // namespace cor

#endif
