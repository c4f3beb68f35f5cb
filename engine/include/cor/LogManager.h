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

    // Creates or empties the log file in the working directory. A symbolic link or anything
    // but a regular file under its name is refused (-1), and the manager is then not started.
    [[nodiscard]] int initialize() override;
    void shutdown() override;

    // printf-style; returns what vfprintf returned, or -1 when no file is open.
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    int
    logMessage(const char* format, ...);

    // Writes out what is buffered; 0 when everything written so far reached the file, -1 when
    // something was lost (a full disk, say) or no file is open.
    [[nodiscard]] int flush();

    void setFlushEachMessage(bool flush);

private:
    LogManager();

    bool m_flushEachMessage;
    std::FILE* m_logFile;
};

} // namespace cor

#endif
