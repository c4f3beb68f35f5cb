#include "XTestSupport.h"

#include "TestSupport.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace xtest
{

namespace
{

fs::path findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream directories(path != nullptr ? path : "/usr/bin:/bin");
    std::string directory;
    while (std::getline(directories, directory, ':'))
    {
        const fs::path candidate = fs::path(directory) / name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

bool displayAnswers(const std::string& name)
{
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

// One Xvfb for the whole test process: the graphics library keeps its connection to the
// first display it opened, so the server must outlive every window. The server picks a free
// display number itself (-displayfd), so tests started together never share one; -noreset
// keeps it from refusing connections for a moment each time its last client leaves.
class PrivateServer
{
public:
    PrivateServer()
    {
        const fs::path xvfb = findProgram("Xvfb");
        int channel[2];
        if (xvfb.empty() || pipe(channel) != 0)
            return;
        const pid_t child = fork();
        if (child == 0)
        {
            close(channel[0]);
            // The server goes with the test, even when the test is killed.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int nothing = open("/dev/null", O_RDWR);
            dup2(nothing, STDOUT_FILENO);
            dup2(nothing, STDERR_FILENO);
            const std::string fd = std::to_string(channel[1]);
            execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                  "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(channel[1]);
        const std::string number = readLine(channel[0]);
        close(channel[0]);
        const std::string name = ":" + number;
        if (!number.empty() && displayAnswers(name))
        {
            m_pid = child;
            setenv("DISPLAY", name.c_str(), 1);
            return;
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    ~PrivateServer()
    {
        if (m_pid > 0)
        {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    bool running() const { return m_pid > 0; }

private:
    // The display number the server reports once it is ready; empty after ten seconds.
    static std::string readLine(int fd)
    {
        std::string line;
        pollfd wanted{fd, POLLIN, 0};
        while (poll(&wanted, 1, 10000) > 0)
        {
            char c = 0;
            if (read(fd, &c, 1) != 1 || c == '\n')
                break;
            line += c;
        }
        return line;
    }

    pid_t m_pid = -1;
};

} // namespace

bool usePrivateDisplay()
{
    static PrivateServer server;
    return server.running();
}

bool xdotool(const std::vector<std::string>& arguments, std::string* output)
{
    static const fs::path program = findProgram("xdotool");
    if (program.empty())
        return false;
    const testsupport::RunResult result =
        testsupport::runProgram(program, arguments, fs::current_path(), 20);
    if (output != nullptr)
        *output = result.standardOutput;
    return result.exitCode == 0;
}

std::string findWindow(const std::string& title)
{
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        std::string found;
        if (xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}, &found))
        {
            std::istringstream lines(found);
            std::string first;
            if (std::getline(lines, first) && !first.empty())
                return first;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

bool focusWindow(const std::string& windowId)
{
    return xdotool({"windowraise", windowId}) && xdotool({"windowfocus", "--sync", windowId});
}

bool sendCloseRequest(const std::string& windowId)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(std::stoul(windowId));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0;
}

bool pollUntil(const std::function<void()>& poll, const std::function<bool()>& done,
               std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return done();
        poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void pollFor(const std::function<void()>& poll, std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end)
    {
        poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace xtest
