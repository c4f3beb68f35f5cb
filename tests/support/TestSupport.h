#ifndef HALVREN_TEST_SUPPORT_H
#define HALVREN_TEST_SUPPORT_H

// Small helpers shared by the test programs: temporary working directories, files,
// and running the real halvren program as a child process.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport
{

// A fresh directory under the system's temporary directory, removed on destruction.
// With enter = true the process works inside it until destruction.
class TempDir
{
public:
    explicit TempDir(bool enter = true);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
    bool m_entered;
};

void writeFile(const std::filesystem::path& path, const std::string& content);
std::string readFile(const std::filesystem::path& path);

// Copies the built run directory (program and data) into dir.
void copyRunDirectory(const std::filesystem::path& dir);

struct RunResult
{
    int exitCode = -1000; // the exit status as the shell sees it (0..255), or -1000 on a signal
    int signal = 0;
    std::string standardOutput;
    std::string standardError;
};

// Runs program with arguments in workingDir and waits for it (at most timeoutSeconds).
RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& workingDir, int timeoutSeconds = 60);

// The exit status -1 as a process reports it to its parent.
constexpr int EXIT_MINUS_ONE = 255;

} // namespace testsupport

#endif
