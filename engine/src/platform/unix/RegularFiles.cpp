#include "platform/Platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cor::platform
{

namespace
{

// Keeps an open descriptor only when it is a regular file, as a standard I/O stream.
std::FILE* keepIfRegular(int descriptor, const char* mode)
{
    struct stat status = {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
    {
        close(descriptor);
        return nullptr;
    }
    // A regular file never blocks; the flag was only there to guard the open itself.
    const int flags = fcntl(descriptor, F_GETFL);
    if (flags != -1)
        fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = fdopen(descriptor, mode);
    if (file == nullptr)
        close(descriptor);
    return file;
}

} // namespace

// The stat before the open keeps devices from being opened at all (opening one may act on
// it); the fstat after it decides, since the name may have been replaced in between.
std::FILE* openRegularFileForReading(const char* path)
{
    struct stat status = {};
    if (stat(path, &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor == -1)
        return nullptr;
    return keepIfRegular(descriptor, "rb");
}

std::FILE* createRegularFileForWriting(const char* path)
{
    struct stat status = {};
    if (lstat(path, &status) == 0 && !S_ISREG(status.st_mode))
        return nullptr;
    // No O_TRUNC: the file is emptied only once it is known to be a regular file of its own.
    const int descriptor =
        open(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor == -1)
        return nullptr;
    std::FILE* file = keepIfRegular(descriptor, "w");
    if (file != nullptr && ftruncate(fileno(file), 0) != 0)
    {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

} // namespace cor::platform
