#include "platform/Platform.h"

namespace cor::platform
{

// A Windows desktop session always has a display to open a window on.
bool displayAvailable()
{
    return true;
}

} // namespace cor::platform
