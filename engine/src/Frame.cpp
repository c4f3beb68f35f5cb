#include "cor/Frame.h"

#include <utility>

namespace cor
{

Frame::Frame(std::int32_t width, std::int32_t height, std::string text)
    : m_width(width), m_height(height), m_text(std::move(text))
{
}

} // namespace cor
