#include "platform/Platform.h"

#include <csignal>
#include <windows.h>

namespace cor::platform
{

namespace
{

volatile LONG notedRequest = 0;

BOOL WINAPI noteRequest(DWORD controlType)
{
    switch (controlType)
    {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        InterlockedExchange(&notedRequest, SIGINT);
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        InterlockedExchange(&notedRequest, SIGTERM);
        // The process is ended as soon as this returns: give the frame loop time to finish
        // its shutdown, which ends the process first.
        Sleep(4000);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void watchTerminationRequests()
{
    SetConsoleCtrlHandler(noteRequest, TRUE);
}

int terminationRequest()
{
    return static_cast<int>(InterlockedCompareExchange(&notedRequest, 0, 0));
}

void endAsTerminated(int)
{
    // What a console program ended by Ctrl+C returns.
    ExitProcess(static_cast<UINT>(0xC000013AL));
}

} // namespace cor::platform
