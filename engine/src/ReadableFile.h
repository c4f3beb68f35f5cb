#ifndef COR_READABLE_FILE_H
#define COR_READABLE_FILE_H

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace cor
{

// A file open for binary reading, closed with the object: how the engine opens every file it
// reads, for its own parsers and for SFML's alike.
class ReadableFile
{
public:
    // Only a regular file (links followed): a directory, FIFO, device or socket under the name
    // is refused at once, before a reader can block or spin on it. Null when refused or absent.
    static std::unique_ptr<ReadableFile> open(const std::string& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    // Bytes read into data, 0 at the end of the file; -1 on a read error.
    std::int64_t read(void* data, std::int64_t size);
    // The new position, or -1.
    std::int64_t seek(std::int64_t position);
    // The position, or -1.
    std::int64_t tell();
    // The file's length in bytes, or -1; the position stays where it was.
    std::int64_t size();

private:
    explicit ReadableFile(std::FILE* file) : m_file(file) {}

    std::FILE* m_file;
};

// The file opened and handed to a Reader, a stream type built from the open file; null when
// the file is refused or absent.
template <typename Reader> std::unique_ptr<Reader> openReadable(const std::string& path)
{
    std::unique_ptr<ReadableFile> file = ReadableFile::open(path);
    if (file == nullptr)
        return nullptr;
    return std::make_unique<Reader>(std::move(file));
}

} // namespace cor

#endif
