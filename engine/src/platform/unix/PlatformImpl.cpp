#include "platform/Platform.h"

#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif
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

namespace
{
// The thread's timer slack before beginTimerResolution(); -1 while none is saved.
long savedTimerSlack = -1;
} // namespace

// Sleeps already count in (sub-)milliseconds, but the kernel may let each one run up to the
// thread's timer slack (50 us by default) longer, so that wake-ups can be grouped. A frame
// loop wants its sleeps exact, as the 1 ms resolution gives it elsewhere.
int beginTimerResolution()
{
#ifdef PR_SET_TIMERSLACK
    if (savedTimerSlack == -1)
    {
        const int slack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
        if (slack >= 0)
            savedTimerSlack = slack;
    }
    // The shortest slack there is; a refusal leaves the sleeps as precise as they were.
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
#endif
    return 0;
}

void endTimerResolution()
{
#ifdef PR_SET_TIMERSLACK
    if (savedTimerSlack == -1)
        return;
    prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(savedTimerSlack), 0, 0, 0);
    savedTimerSlack = -1;
#endif
}

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

void* loadedFunction(const char* name)
{
    return dlsym(RTLD_DEFAULT, name);
}

} // namespace cor::platform
