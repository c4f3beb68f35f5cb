#ifndef COR_PLATFORM_PLATFORM_H
#define COR_PLATFORM_PLATFORM_H

#include <cstdint>
#include <cstdio>

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

// Whether a window can be opened at all (on X11: whether the display server answers), asked
// before the window library is let try, as some versions abort the process when it cannot.
// The connection is held until releaseDisplay(), once the window library holds its own: an X
// server whose last client leaves resets itself and refuses new connections while it does.
bool holdDisplay();
void releaseDisplay();

// Opens a file for binary reading only when it is a regular file, links followed. A directory,
// FIFO, device or socket is refused at once, without blocking. Null when refused or absent.
std::FILE* openRegularFileForReading(const char* path);

// Creates or empties a text file for writing, its lines ended as the system ends them. A
// symbolic link is not followed, and anything that is not a regular file is refused, without
// blocking. Null when refused or not creatable.
std::FILE* createRegularFileForWriting(const char* path);

// The address of a function that a library already loaded into the process exports; null when
// none does.
void* loadedFunction(const char* name);

// From here on, a request to terminate (SIGINT and SIGTERM; Ctrl+C and console close on
// Windows) is only noted, so that the program can end through its normal shutdown.
void watchTerminationRequests();
// The request noted so far (the signal number on Unix), 0 while there is none.
int terminationRequest();
// Ends the process the way the noted request would have ended it.
[[noreturn]] void endAsTerminated(int request);

} // namespace cor::platform

#endif
