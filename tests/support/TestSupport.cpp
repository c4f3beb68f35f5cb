#include "TestSupport.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport
{

TempDir::TempDir(bool enter) : m_entered(enter)
{
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        const fs::path candidate = base / ("halvren-test-" + std::to_string(random()));
        if (fs::create_directory(candidate))
        {
            m_path = candidate;
            break;
        }
    }
    if (m_path.empty())
        throw std::runtime_error("cannot create a temporary directory");
    if (m_entered)
    {
        m_previous = fs::current_path();
        fs::current_path(m_path);
    }
}

TempDir::~TempDir()
{
    std::error_code error;
    if (m_entered)
        fs::current_path(m_previous, error);
    // Give back write permission first, in case a test took it away.
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_path, error);
}

void writeFile(const fs::path& path, const std::string& content)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void copyRunDirectory(const fs::path& dir)
{
    fs::copy(HALVREN_RUN_DIR, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // A log left in the run directory by an earlier run by hand is not part of the game.
    std::error_code error;
    if (fs::is_regular_file(dir / "corvane.log", error))
        fs::remove(dir / "corvane.log", error);
}

namespace
{

std::string drain(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;)
    {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return text;
}

} // namespace

RunResult runProgram(const fs::path& program, const std::vector<std::string>& arguments,
                     const fs::path& workingDir, int timeoutSeconds)
{
    // Output goes to files so a chatty child can never block on a full pipe.
    char outName[] = "/tmp/halvren-out-XXXXXX";
    char errName[] = "/tmp/halvren-err-XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);

    const pid_t child = fork();
    if (child == 0)
    {
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        const int nothing = open("/dev/null", O_RDONLY);
        dup2(nothing, STDIN_FILENO);
        if (chdir(workingDir.c_str()) != 0)
            _exit(126);
        setenv("ALSOFT_DRIVERS", "null", 1);
        std::vector<char*> argv;
        std::string programName = program.string();
        argv.push_back(programName.data());
        std::vector<std::string> copies = arguments;
        for (std::string& argument : copies)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        execv(programName.c_str(), argv.data());
        _exit(127);
    }

    RunResult result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    for (;;)
    {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (std::chrono::steady_clock::now() > deadline)
        {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);

    lseek(outFd, 0, SEEK_SET);
    lseek(errFd, 0, SEEK_SET);
    result.standardOutput = drain(outFd);
    result.standardError = drain(errFd);
    close(outFd);
    close(errFd);
    unlink(outName);
    unlink(errName);
    return result;
}

} // namespace testsupport
