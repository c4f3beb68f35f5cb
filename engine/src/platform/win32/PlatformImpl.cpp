#include "platform/Platform.h"

#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>
#include <stdio.h>

namespace cor::platform
{

std::int64_t monotonicMilliseconds()
{
    static LARGE_INTEGER frequency = []
    {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<std::int64_t>(now.QuadPart * 1000 / frequency.QuadPart);
}

void sleepMilliseconds(std::int32_t milliseconds)
{
    if (milliseconds > 0)
        Sleep(static_cast<DWORD>(milliseconds));
}

int beginTimerResolution()
{
    return timeBeginPeriod(1) == TIMERR_NOERROR ? 0 : -1;
}

void endTimerResolution()
{
    timeEndPeriod(1);
}

namespace
{
int savedStandardError = -1;
}

void silenceStandardError()
{
    if (savedStandardError != -1)
        return;
    const int nowhere = _open("NUL", _O_WRONLY);
    if (nowhere == -1)
        return;
    savedStandardError = _dup(_fileno(stderr));
    _dup2(nowhere, _fileno(stderr));
    _close(nowhere);
}

void restoreStandardError()
{
    if (savedStandardError == -1)
        return;
    _dup2(savedStandardError, _fileno(stderr));
    _close(savedStandardError);
    savedStandardError = -1;
}

} // namespace cor::platform
