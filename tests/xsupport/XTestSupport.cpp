#include "XTestSupport.h"

#include "TestSupport.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sstream>
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
// first display it opened, so the server must outlive every window.
class PrivateServer
{
public:
    PrivateServer()
    {
        const fs::path xvfb = findProgram("Xvfb");
        if (xvfb.empty())
            return;
        for (int number = 160; number < 400 && m_pid <= 0; ++number)
        {
            if (fs::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
                fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
                continue;
            start(xvfb, ":" + std::to_string(number));
        }
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
    void start(const fs::path& xvfb, const std::string& name)
    {
        const pid_t child = fork();
        if (child == 0)
        {
            const int nothing = open("/dev/null", O_RDWR);
            dup2(nothing, STDOUT_FILENO);
            dup2(nothing, STDERR_FILENO);
            execl(xvfb.c_str(), "Xvfb", name.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
                  "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int attempt = 0; attempt < 200; ++attempt)
        {
            if (waitpid(child, nullptr, WNOHANG) == child)
                return; // another server took this number first
            if (displayAnswers(name))
            {
                m_pid = child;
                setenv("DISPLAY", name.c_str(), 1);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
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
