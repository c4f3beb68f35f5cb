#include "platform/Platform.h"

#include <cerrno>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

namespace cor::platform
{

std::int64_t monotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void sleepMilliseconds(std::int32_t milliseconds)
{
    if (milliseconds <= 0)
        return;
    timespec request{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    timespec remaining{};
    // Resume after signals so the frame still gets its full rest.
    while (nanosleep(&request, &remaining) == -1 && errno == EINTR)
        request = remaining;
}

// POSIX sleeps already have (sub-)millisecond resolution: nothing to ask for.
int beginTimerResolution()
{
    return 0;
}

void endTimerResolution() {}

namespace
{
int savedStandardError = -1;
}

void silenceStandardError()
{
    if (savedStandardError != -1)
        return;
    const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere == -1)
        return;
    savedStandardError = dup(STDERR_FILENO);
    dup2(nowhere, STDERR_FILENO);
    close(nowhere);
}

void restoreStandardError()
{
    if (savedStandardError == -1)
        return;
    dup2(savedStandardError, STDERR_FILENO);
    close(savedStandardError);
    savedStandardError = -1;
}

} // namespace cor::platform
