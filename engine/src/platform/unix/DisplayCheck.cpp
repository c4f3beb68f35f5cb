#include "platform/Platform.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace cor::platform
{

namespace
{

Display* heldDisplay = nullptr;

} // namespace

bool holdDisplay()
{
    if (heldDisplay != nullptr)
        return true;
    // Xlib reports a refused connection (no authority, say) on the console itself.
    silenceStandardError();
    heldDisplay = XOpenDisplay(nullptr);
    restoreStandardError();
    if (heldDisplay == nullptr)
        return false;
    // The window library crashes on a server where it finds no OpenGL (GLX) or no true-colour
    // visual to draw with: such a display is as good as none.
    int opcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    XVisualInfo visual;
    if (!XQueryExtension(heldDisplay, "GLX", &opcode, &firstEvent, &firstError) ||
        !XMatchVisualInfo(heldDisplay, DefaultScreen(heldDisplay), 24, TrueColor, &visual))
    {
        releaseDisplay();
        return false;
    }
    return true;
}

void releaseDisplay()
{
    if (heldDisplay == nullptr)
        return;
    XCloseDisplay(heldDisplay);
    heldDisplay = nullptr;
}

} // namespace cor::platform
