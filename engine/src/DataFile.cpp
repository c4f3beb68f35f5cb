#include "cor/DataFile.h"

#include "ReadableFile.h"

#include <streambuf>
#include <vector>

namespace cor
{

namespace
{

constexpr std::size_t BUFFER_SIZE = 64 * 1024;

// Reads an open file through a buffer of its own.
class FileBuffer : public std::streambuf
{
public:
    explicit FileBuffer(std::unique_ptr<ReadableFile> file)
        : m_file(std::move(file)), m_buffer(BUFFER_SIZE)
    {
    }

protected:
    int_type underflow() override
    {
        if (gptr() == egptr())
        {
            // A read error ends the text as the end of the file does.
            const std::int64_t filled =
                m_file->read(m_buffer.data(), static_cast<std::int64_t>(m_buffer.size()));
            if (filled <= 0)
                return traits_type::eof();
            setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + filled);
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    std::unique_ptr<ReadableFile> m_file;
    std::vector<char> m_buffer;
};

class FileStream : public std::istream
{
public:
    // The buffer is a member, built after the stream part: it is attached once it exists.
    explicit FileStream(std::unique_ptr<ReadableFile> file)
        : std::istream(nullptr), m_buffer(std::move(file))
    {
        rdbuf(&m_buffer);
    }

private:
    FileBuffer m_buffer;
};

} // namespace

std::unique_ptr<std::istream> openDataFile(const std::string& path)
{
    return openReadable<FileStream>(path);
}

} // namespace cor
