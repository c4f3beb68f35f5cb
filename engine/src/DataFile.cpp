#include "cor/DataFile.h"

#include "platform/Platform.h"

#include <cstdio>
#include <streambuf>
#include <vector>

namespace cor
{

namespace
{

constexpr std::size_t BUFFER_SIZE = 64 * 1024;

// Reads an open file through a buffer of its own, and closes it.
class FileBuffer : public std::streambuf
{
public:
    explicit FileBuffer(std::FILE* file) : m_file(file), m_buffer(BUFFER_SIZE) {}
    ~FileBuffer() override { std::fclose(m_file); }
    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

protected:
    int_type underflow() override
    {
        if (gptr() == egptr())
        {
            // A read error ends the text as the end of the file does.
            const std::size_t filled = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
            if (filled == 0)
                return traits_type::eof();
            setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + filled);
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    std::FILE* m_file;
    std::vector<char> m_buffer;
};

class FileStream : public std::istream
{
public:
    // The buffer is a member, built after the stream part: it is attached once it exists.
    explicit FileStream(std::FILE* file) : std::istream(nullptr), m_buffer(file)
    {
        rdbuf(&m_buffer);
    }

private:
    FileBuffer m_buffer;
};

} // namespace

std::unique_ptr<std::istream> openDataFile(const std::string& path)
{
    std::FILE* file = platform::openRegularFileForReading(path.c_str());
    if (file == nullptr)
        return nullptr;
    return std::make_unique<FileStream>(file);
}

} // namespace cor
