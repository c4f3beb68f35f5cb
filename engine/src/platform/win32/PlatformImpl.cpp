#include "platform/Platform.h"

#include <algorithm>

// MinGW's C++ headers may have defined these already.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <mmsystem.h>
#include <psapi.h>
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
    // Whole seconds and the rest apart: ticks times 1000 overflows after about a month of
    // uptime on machines whose counter runs at a few GHz.
    const std::int64_t seconds = now.QuadPart / frequency.QuadPart;
    const std::int64_t rest = now.QuadPart % frequency.QuadPart;
    return seconds * 1000 + rest * 1000 / frequency.QuadPart;
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
} // namespace

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

void* loadedFunction(const char* name)
{
    HMODULE modules[256];
    DWORD filled = 0;
    if (!K32EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &filled))
        return nullptr;
    const DWORD count = std::min<DWORD>(filled / sizeof(HMODULE), 256);
    for (DWORD i = 0; i < count; ++i)
    {
        if (const FARPROC found = GetProcAddress(modules[i], name))
            return reinterpret_cast<void*>(found);
    }
    return nullptr;
}

} // namespace cor::platform
