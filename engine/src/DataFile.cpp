#include "cor/DataFile.h"

#include "platform/Platform.h"

#include <cstring>

namespace cor
{

namespace
{
constexpr std::size_t bufferSize = 64 * 1024;
}

DataFile::DataFile(const std::string& path)
    : m_file(platform::openRegularFileForReading(path.c_str())), m_position(0), m_filled(0),
      m_lineEnded(false)
{
    if (m_file != nullptr)
        m_buffer.resize(bufferSize);
}

DataFile::~DataFile()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool DataFile::refill()
{
    m_position = 0;
    m_filled = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    return m_filled > 0;
}

bool DataFile::readLine(std::string& line)
{
    line.clear();
    m_lineEnded = false;
    if (m_file == nullptr)
        return false;
    bool readAnything = false;
    while (m_position < m_filled || refill())
    {
        readAnything = true;
        const char* start = m_buffer.data() + m_position;
        const std::size_t available = m_filled - m_position;
        const void* feed = std::memchr(start, '\n', available);
        if (feed != nullptr)
        {
            const std::size_t length =
                static_cast<std::size_t>(static_cast<const char*>(feed) - start);
            line.append(start, length);
            m_position += length + 1;
            m_lineEnded = true;
            return true;
        }
        line.append(start, available);
        m_position = m_filled;
    }
    return readAnything;
}

} // namespace cor
