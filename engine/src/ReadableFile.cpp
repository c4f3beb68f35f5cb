#include "ReadableFile.h"

#include "platform/Platform.h"

namespace cor
{

std::unique_ptr<ReadableFile> ReadableFile::open(const std::string& path)
{
    std::FILE* file = platform::openRegularFileForReading(path.c_str());
    if (file == nullptr)
        return nullptr;
    return std::unique_ptr<ReadableFile>(new ReadableFile(file));
}

ReadableFile::~ReadableFile()
{
    std::fclose(m_file);
}

std::int64_t ReadableFile::read(void* data, std::int64_t size)
{
    if (size <= 0)
        return 0;
    const std::size_t count = std::fread(data, 1, static_cast<std::size_t>(size), m_file);
    if (count < static_cast<std::size_t>(size) && std::ferror(m_file))
        return -1;
    return static_cast<std::int64_t>(count);
}

std::int64_t ReadableFile::seek(std::int64_t position)
{
    if (position < 0 || std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0)
        return -1;
    return position;
}

std::int64_t ReadableFile::tell()
{
    return std::ftell(m_file);
}

std::int64_t ReadableFile::size()
{
    const long position = std::ftell(m_file);
    if (position < 0 || std::fseek(m_file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(m_file);
    std::fseek(m_file, position, SEEK_SET);
    return size;
}

} // namespace cor
