// Real key presses and pointer events from xdotool into one engine window.
#include "TestSupport.h"
#include "sfml/SfmlCompat.h"

#include <cor/DisplayManager.h>
#include <cor/InputManager.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace testsupport;

namespace
{

using WindowInput = EngineFixture;

// Runs xdotool with the arguments, then a Z key press as an end mark, and polls until the mark
// arrives; one that never comes fails the test. The events of the type received before it.
std::vector<Delivery> play(const std::string& arguments, const std::string& type)
{
    EXPECT_EQ(std::system(("xdotool " + arguments + " key z").c_str()), 0);
    const Recorder recorder;
    const auto marked = [&]
    {
        const std::vector<Delivery> keys = recorder.received(cor::EVENT_TYPE_KEYBOARD);
        return !keys.empty() && keys.back().key == cor::Z && keys.back().action == cor::RELEASE;
    };
    for (int tries = 0; tries < 2000 && !marked(); ++tries)
    {
        cor::InputManager::instance().pollInput();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!marked())
        ADD_FAILURE() << "no end mark after xdotool " << arguments;
    std::vector<Delivery> received = recorder.received(type);
    if (type == cor::EVENT_TYPE_KEYBOARD && marked())
        received.erase(received.end() - 2, received.end());
    return received;
}

} // namespace

// A held key giving one press shows as one step in the end-to-end run.
TEST_F(WindowInput, KeysGiveTheirEngineKeysAndPointerEventsTheirCellsButACloseRequestNothing)
{
    const std::string window =
        std::to_string(cor::sfml::nativeHandle(*cor::DisplayManager::instance().window()));
    play("windowraise " + window + " windowfocus --sync " + window, ""); // and what it queued
    // Keys the engine does not map stand among those it does, and give no event.
    const std::vector<Delivery> typed =
        play("key a y F1 F12 1 9 0 space Return Escape Tab Left Right Up Down Pause minus equal "
             "BackSpace Delete Home KP_0 KP_1 KP_Add Alt_L F13 semicolon period comma slash "
             "Control_L Control_R Shift_L Shift_R grave",
             cor::EVENT_TYPE_KEYBOARD);
    const std::vector<cor::Key> keys = {
        cor::A,        cor::Y,        cor::F1,     cor::F12,    cor::NUM1,   cor::NUM9,  cor::NUM0,
        cor::SPACE,    cor::ENTER,    cor::ESCAPE, cor::TAB,    cor::LEFT,   cor::RIGHT, cor::UP,
        cor::DOWN,     cor::PAUSE,    cor::HYPHEN, cor::EQUAL,  cor::PERIOD, cor::COMMA, cor::SLASH,
        cor::LCONTROL, cor::RCONTROL, cor::LSHIFT, cor::RSHIFT, cor::GRAVE};
    // xdotool presses a right-hand modifier together with the left-hand one: keys count in the
    // order they first come, and every press has its release.
    std::vector<cor::Key> pressed;
    int releases = 0;
    for (const Delivery& key : typed)
        if (key.action == cor::RELEASE)
            ++releases;
        else if (std::find(pressed.begin(), pressed.end(), key.key) == pressed.end())
            pressed.push_back(key.key);
    EXPECT_EQ(pressed, keys);
    EXPECT_EQ(releases * 2, static_cast<int>(typed.size()));

    // Clicks land where the pointer is, in cells to the fraction; side buttons and the wheel
    // give none.
    const std::pair<cor::Vector, int> clicks[] = {{{640, 384}, 1}, {{13, 33}, 3}, {{1023, 767}, 2},
                                                  {{10, 10}, 8},   {{11, 10}, 9}, {{12, 10}, 4}};
    std::string pointer;
    for (const auto& [pixel, button] : clicks)
        pointer += " mousemove --window " + window + " --sync " + std::to_string(int(pixel.x)) +
                   " " + std::to_string(int(pixel.y)) + " click " + std::to_string(button);
    std::vector<Delivery> seen;
    for (const Delivery& mouse : play(pointer, cor::EVENT_TYPE_MOUSE))
        if (mouse.action == cor::CLICK || mouse.button != cor::NO_BUTTON) // a move has none
            seen.push_back(mouse);
    const cor::MouseButton buttons[] = {cor::LEFT_BUTTON, cor::RIGHT_BUTTON, cor::MIDDLE_BUTTON};
    ASSERT_EQ(seen.size(), std::size(buttons));
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i].button == buttons[i] &&
                    seen[i].position == cor::Vector(float(clicks[i].first.x / cellSize(0)),
                                                    float(clicks[i].first.y / cellSize(1))))
            << i << ": " << seen[i].position.x << ", " << seen[i].position.y;

    // A close request, as a window manager sends it, is no event and closes nothing.
    Display* x = XOpenDisplay(nullptr);
    XEvent close{};
    close.xclient = {ClientMessage,
                     0,
                     False,
                     x,
                     std::stoul(window),
                     XInternAtom(x, "WM_PROTOCOLS", False),
                     32,
                     {}};
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    ASSERT_NE(XSendEvent(x, close.xclient.window, False, NoEventMask, &close), 0);
    XCloseDisplay(x);
    EXPECT_TRUE(play("", cor::EVENT_TYPE_KEYBOARD).empty());
    EXPECT_TRUE(cor::DisplayManager::instance().window()->isOpen());
}
