#ifndef COR_LOG_MANAGER_H
#define COR_LOG_MANAGER_H

#include "cor/Manager.h"

#include <cstdio>

namespace cor
{

inline constexpr const char* DEFAULT_LOG_FILE = "corvane.log";

// Writes the engine's log file, exactly as formatted: no stamp, prefix or line end is added.
class LogManager : public Manager
{
public:
    static LogManager& instance();
    ~LogManager() override;

    // Creates or empties the log file in the working directory.
    int initialize() override;
    void shutdown() override;

    // printf-style; returns what vfprintf returned, or -1 when no file is open.
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    int
    logMessage(const char* format, ...);

    void setFlushEachMessage(bool flush);

private:
    LogManager();

    bool m_flushEachMessage;
    std::FILE* m_logFile;
};

} // namespace cor

#endif
