#ifndef COR_PLATFORM_PLATFORM_H
#define COR_PLATFORM_PLATFORM_H

#include <cstdint>

// The operating-system calls the engine needs, implemented once per platform
// (platform/unix, platform/win32). Nothing outside this seam includes a system header for them.
namespace cor::platform
{

// Milliseconds from a monotonic clock: only differences of two reads mean anything.
std::int64_t monotonicMilliseconds();

// Blocks the calling thread for a whole number of milliseconds.
void sleepMilliseconds(std::int32_t milliseconds);

// Asks for a 1 ms system timer resolution for the whole run; 0 on success, nonzero on failure.
int beginTimerResolution();

// Gives back the resolution asked for by beginTimerResolution().
void endTimerResolution();

// Sends the process's standard error to nowhere until restoreStandardError() is called.
// Used around library calls that print diagnostics of their own to the console.
void silenceStandardError();
void restoreStandardError();

} // namespace cor::platform

#endif
