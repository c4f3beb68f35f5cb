#include "SpriteFile.h"

#include "ColorTable.h"
#include "cor/PrintableText.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace cor
{

namespace
{

// Reads one line; a carriage return before the line feed belongs to the line end. The last
// line need not end in a line feed.
bool readLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    // Only the last line, the one without a line feed, reaches the end of the text.
    if (!in.eof() && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

// Reads a number the way atoi does, but clamps instead of overflowing.
std::int32_t readNumber(const std::string& line)
{
    const long value = std::strtol(line.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<std::int32_t>(value);
}

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
SpriteRead
refused(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    SpriteRead read;
    if (length > 0)
    {
        read.message.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(&read.message[0], read.message.size(), format, again);
        read.message.pop_back();
    }
    va_end(again);
    return read;
}

} // namespace

SpriteRead readSprite(std::istream& in)
{
    std::string line;
    struct Header
    {
        const char* missing;
        const char* invalid; // null: any value is accepted
    };
    const Header headers[] = {
        {"ResourceManager::loadSprite(): missing frame count.\n",
         "ResourceManager::loadSprite(): error line %d. Invalid frame count '%s'.\n"},
        {"ResourceManager::loadSprite(): missing width.\n",
         "ResourceManager::loadSprite(): error line %d. Invalid width '%s'.\n"},
        {"ResourceManager::loadSprite(): missing height.\n",
         "ResourceManager::loadSprite(): error line %d. Invalid height '%s'.\n"},
        {"ResourceManager::loadSprite(): missing slowdown.\n", nullptr},
    };
    std::int32_t values[4] = {};
    for (int i = 0; i < 4; ++i)
    {
        if (!readLine(in, line))
            return refused("%s", headers[i].missing);
        values[i] = readNumber(line);
        if (headers[i].invalid != nullptr && values[i] <= 0)
            return refused(headers[i].invalid, i + 1, echoedLine(line).c_str());
    }
    const std::int32_t frameCount = values[0];
    const std::int32_t width = values[1];
    const std::int32_t height = values[2];

    if (!readLine(in, line))
        return refused("ResourceManager::loadSprite(): missing color.\n");
    int colorIndex = BLACK;
    while (colorIndex <= WHITE && line != COLOR_TABLE[colorIndex].word)
        ++colorIndex;
    if (colorIndex > WHITE)
        return refused("ResourceManager::loadSprite(): error line %d. Unrecognized color '%s'.\n",
                       5, echoedLine(line).c_str());

    SpriteRead read;
    read.sprite = std::make_unique<Sprite>(frameCount);
    read.sprite->setWidth(width);
    read.sprite->setHeight(height);
    read.sprite->setSlowdown(values[3]);
    read.sprite->setColor(static_cast<Color>(colorIndex));

    std::int32_t lineNumber = 5;
    for (std::int32_t f = 0; f < frameCount; ++f)
    {
        std::string text;
        for (std::int32_t row = 0; row < height; ++row)
        {
            if (!readLine(in, line))
                return refused(
                    "ResourceManager::loadSprite(): file ended before all frame data was read.\n");
            ++lineNumber;
            if (line.size() != static_cast<std::size_t>(width))
                return refused("ResourceManager::loadSprite(): error line %d. Line width %d, "
                               "expected %d.\n",
                               lineNumber, static_cast<int>(line.size()), width);
            text += line;
        }
        if (read.sprite->pushFrame(Frame(width, height, std::move(text))) != 0)
            return refused("ResourceManager::loadSprite(): unable to add frame %d.\n", f);
    }
    return read;
}

} // namespace cor
