#include "cor/LogManager.h"

#include "platform/Platform.h"

#include <cstdarg>

namespace cor
{

LogManager& LogManager::instance()
{
    static LogManager manager;
    return manager;
}

LogManager::LogManager() : m_flushEachMessage(false), m_logFile(nullptr)
{
    setTypeName("LogManager");
}

LogManager::~LogManager()
{
    if (m_logFile != nullptr)
        std::fclose(m_logFile);
}

int LogManager::initialize()
{
    if (m_logFile != nullptr)
        std::fclose(m_logFile);
    // A link under the log's name is not followed: it could make the log empty someone's file.
    m_logFile = platform::createRegularFileForWriting(DEFAULT_LOG_FILE);
    if (m_logFile == nullptr)
    {
        setStarted(false);
        return -1;
    }
    setStarted(true);
    return 0;
}

void LogManager::shutdown()
{
    if (m_logFile != nullptr)
    {
        std::fclose(m_logFile);
        m_logFile = nullptr;
    }
    setStarted(false);
}

int LogManager::logMessage(const char* format, ...)
{
    if (m_logFile == nullptr)
        return -1;
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vfprintf(m_logFile, format, arguments);
    va_end(arguments);
    if (m_flushEachMessage)
        std::fflush(m_logFile);
    return written;
}

int LogManager::flush()
{
    if (m_logFile == nullptr)
        return -1;
    // The error indicator also keeps a failure of an earlier, implicit flush of the buffer.
    if (std::fflush(m_logFile) != 0 || std::ferror(m_logFile) != 0)
        return -1;
    return 0;
}

void LogManager::setFlushEachMessage(bool flush)
{
    m_flushEachMessage = flush;
}

} // namespace cor
