// Prints a backtrace when a test program dies of a signal, so that a crash seen once in a
// long run leaves something to go on.
#include <csignal>
#include <execinfo.h>
#include <initializer_list>
#include <unistd.h>

namespace
{

void reportAndDie(int signalNumber)
{
    const char header[] = "\n*** test program died of a signal; backtrace:\n";
    (void)!write(STDERR_FILENO, header, sizeof header - 1);
    void* frames[64];
    const int count = backtrace(frames, 64);
    backtrace_symbols_fd(frames, count, STDERR_FILENO);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

struct InstallCrashReport
{
    InstallCrashReport()
    {
        for (const int signalNumber : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
            std::signal(signalNumber, reportAndDie);
    }
};

const InstallCrashReport installCrashReport;

} // namespace
