#ifndef HALVREN_X_TEST_SUPPORT_H
#define HALVREN_X_TEST_SUPPORT_H

// Driving a real window the way a user would: key presses and pointer events through
// xdotool, on an X server of the test's own so that no other test can take the focus.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace xtest
{

// Starts a private Xvfb on the first call and points DISPLAY at it for the rest of the
// process; the server is stopped at exit. Call before any window is opened.
// Returns false when no server could be started.
bool usePrivateDisplay();

// Runs xdotool with the arguments; true when it exited with 0. Its output goes to output.
bool xdotool(const std::vector<std::string>& arguments, std::string* output = nullptr);

// The id of the window with exactly this title, waiting for it to be mapped; empty if none.
std::string findWindow(const std::string& title);

// Gives the window the keyboard focus and puts it on top.
bool focusWindow(const std::string& windowId);

// Sends WM_DELETE_WINDOW, as a window manager does when the user asks a window to close.
bool sendCloseRequest(const std::string& windowId);

// Calls poll() until done() holds or the time is up; done()'s last answer.
bool pollUntil(const std::function<void()>& poll, const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Calls poll() for the whole duration.
void pollFor(const std::function<void()>& poll, std::chrono::milliseconds duration);

} // namespace xtest

#endif
