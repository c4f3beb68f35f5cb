#ifndef COR_DATA_FILE_H
#define COR_DATA_FILE_H

#include <cstdio>
#include <string>
#include <vector>

namespace cor
{

// A data file read line by line. It is opened only when it is a regular file, so a directory,
// FIFO, device or socket under the name is refused at once instead of blocking the reader.
class DataFile
{
public:
    explicit DataFile(const std::string& path);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    bool isOpen() const { return m_file != nullptr; }

    // The next line, without its line feed; false at the end of the file or on a read error.
    bool readLine(std::string& line);
    // Whether the line last read was ended by a line feed (the file's last line need not be).
    bool lineEnded() const { return m_lineEnded; }

private:
    bool refill();

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_position;
    std::size_t m_filled;
    bool m_lineEnded;
};

} // namespace cor

#endif
