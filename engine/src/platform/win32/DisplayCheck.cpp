#include "platform/Platform.h"

namespace cor::platform
{

// A Windows desktop session always has a display to open a window on, and no server to keep.
bool holdDisplay()
{
    return true;
}

void releaseDisplay() {}

} // namespace cor::platform
