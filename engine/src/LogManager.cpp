#include "cor/LogManager.h"

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
    // Binary, so the file holds exactly the text written on every platform (no CR added).
    m_logFile = std::fopen(DEFAULT_LOG_FILE, "wb");
    if (m_logFile == nullptr)
        return -1;
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

void LogManager::setFlushEachMessage(bool flush)
{
    m_flushEachMessage = flush;
}

} // namespace cor
