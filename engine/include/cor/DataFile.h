#ifndef COR_DATA_FILE_H
#define COR_DATA_FILE_H

#include <istream>
#include <memory>
#include <string>

namespace cor
{

// Opens a data file as a binary stream, but only when it is a regular file: a directory,
// FIFO, device or socket under the name is refused at once instead of blocking the reader.
// Null when refused or absent; the file is closed with the stream.
std::unique_ptr<std::istream> openDataFile(const std::string& path);

} // namespace cor

#endif
