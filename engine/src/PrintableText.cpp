#include "cor/PrintableText.h"

namespace cor
{

std::string escapeControlCharacters(std::string_view text)
{
    static const char hexDigits[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char character : text)
    {
        const auto byte = static_cast<unsigned char>(character);
        if (byte < 0x20 || byte == 0x7f)
        {
            escaped += "\\x";
            escaped += hexDigits[byte >> 4];
            escaped += hexDigits[byte & 0x0f];
        }
        else
        {
            escaped += character;
        }
    }
    return escaped;
}

std::string echoedLine(std::string_view line)
{
    if (line.size() <= ECHO_LIMIT)
        return escapeControlCharacters(line);
    return escapeControlCharacters(line.substr(0, ECHO_LIMIT)) + "[... cut, " +
           std::to_string(line.size()) + " bytes]";
}

} // namespace cor
