#ifndef COR_PRINTABLE_TEXT_H
#define COR_PRINTABLE_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace cor
{

// The text with every control character (bytes 0 to 31 and 127) written as \xHH, so that
// file content echoed in a message cannot act on the terminal; every other byte is kept.
std::string escapeControlCharacters(std::string_view text);

// How many bytes of a file's line a message echoes.
inline constexpr std::size_t ECHO_LIMIT = 80;

// A file's line as a message echoes it: escaped, and when longer than ECHO_LIMIT bytes cut
// there and marked with its full length.
std::string echoedLine(std::string_view line);

} // namespace cor

#endif
