#include "platform/Platform.h"

#include <X11/Xlib.h>

namespace cor::platform
{

bool displayAvailable()
{
    // Xlib reports a refused connection (no authority, say) on the console itself.
    silenceStandardError();
    Display* display = XOpenDisplay(nullptr);
    restoreStandardError();
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

} // namespace cor::platform
