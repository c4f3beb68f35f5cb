#include "platform/Platform.h"

#include <csignal>
#include <initializer_list>
#include <signal.h>
#include <unistd.h>

namespace cor::platform
{

namespace
{

volatile std::sig_atomic_t notedSignal = 0;

void noteSignal(int signalNumber)
{
    notedSignal = signalNumber;
}

} // namespace

void watchTerminationRequests()
{
    for (const int signalNumber : {SIGINT, SIGTERM})
    {
        struct sigaction previous = {};
        // A signal the program was started with ignored (nohup, a background job) stays so.
        if (sigaction(signalNumber, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = noteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(signalNumber, &action, nullptr);
    }
}

int terminationRequest()
{
    return notedSignal;
}

void endAsTerminated(int request)
{
    // Dying of the signal itself tells the parent (a shell: status 128 + n) what happened.
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(request, &defaultAction, nullptr);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, request);
    pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
    raise(request);
    _exit(128 + request);
}

} // namespace cor::platform
