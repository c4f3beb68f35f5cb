#include "platform/Platform.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>

namespace cor::platform
{

// Windows has no FIFOs in the file system; directories and devices are what is refused here.
std::FILE* openRegularFileForReading(const char* path)
{
    struct _stat64 status = {};
    if (_stat64(path, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG)
        return nullptr;
    return std::fopen(path, "rb");
}

std::FILE* createRegularFileForWriting(const char* path)
{
    // A reparse point is a symbolic link or junction: it is not followed.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0)
        return nullptr;
    // Text mode: each "\n" written ends a line the Windows way, "\r\n", in the file.
    return std::fopen(path, "w");
}

} // namespace cor::platform
