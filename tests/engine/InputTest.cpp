// The key map, and real key presses and pointer events from xdotool into one engine window.
#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/InputManager.h>
#include <cor/SfmlAdapter.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cmath>
#include <thread>

using namespace testsupport;

TEST(KeyMap, EverySfmlKeyGivesItsEngineKeyOrNone)
{
    using K = sf::Keyboard::Key;
    // clang-format off
    const std::pair<K, cor::Key> table[] = {
        {K::A, cor::A}, {K::Z, cor::Z}, {K::F1, cor::F1}, {K::F12, cor::F12}, {K::Num1, cor::NUM1},
        {K::Num9, cor::NUM9}, {K::Num0, cor::NUM0}, {K::Space, cor::SPACE}, {K::Enter, cor::ENTER},
        {K::Escape, cor::ESCAPE}, {K::Tab, cor::TAB}, {K::Left, cor::LEFT}, {K::Right, cor::RIGHT},
        {K::Up, cor::UP}, {K::Down, cor::DOWN}, {K::Pause, cor::PAUSE}, {K::Hyphen, cor::HYPHEN},
        {K::Equal, cor::EQUAL}, {K::Period, cor::PERIOD}, {K::Comma, cor::COMMA},
        {K::Slash, cor::SLASH}, {K::LControl, cor::LCONTROL}, {K::RControl, cor::RCONTROL},
        {K::LShift, cor::LSHIFT}, {K::RShift, cor::RSHIFT}, {cor::sfml::graveKey(), cor::GRAVE},
        {K::Unknown, cor::NO_KEY}, {K::LAlt, cor::NO_KEY}, {K::Backspace, cor::NO_KEY},
        {K::Delete, cor::NO_KEY}, {K::Numpad0, cor::NO_KEY}, {K::F13, cor::NO_KEY},
        {K::Semicolon, cor::NO_KEY}, {K::Add, cor::NO_KEY}};
    // clang-format on
    for (const auto& [sfmlKey, engineKey] : table)
        EXPECT_EQ(cor::InputManager::mapKey(sfmlKey), engineKey) << static_cast<int>(sfmlKey);
}

namespace
{

class WindowInput : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        window = std::to_string(display.window()->getSystemHandle());
        play("windowraise " + window + " windowfocus --sync " + window, ""); // and what it queued
    }
    // Runs xdotool with the arguments, then a Z key press as an end mark, and polls until the
    // mark arrives (five seconds at most); the events of the type received before the mark.
    static std::vector<Delivery> play(const std::string& arguments, const std::string& type)
    {
        EXPECT_EQ(std::system(("xdotool " + arguments + " key z").c_str()), 0);
        const Recorder recorder;
        const auto marked = [&]
        {
            const std::vector<Delivery> keys = recorder.received(cor::EVENT_TYPE_KEYBOARD);
            return !keys.empty() && keys.back().key == cor::Z && keys.back().action == cor::RELEASE;
        };
        for (int tries = 0; tries < 1000 && !marked(); ++tries)
        {
            cor::InputManager::instance().pollInput();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::vector<Delivery> received = recorder.received(type);
        if (type == cor::EVENT_TYPE_KEYBOARD && marked())
            received.resize(received.size() - 2);
        return received;
    }

    cor::DisplayManager& display = cor::DisplayManager::instance();
    std::string window;
};

} // namespace

// A held key giving one press shows as one step in the end-to-end run.
TEST_F(WindowInput, UnmappedKeysPointerEventsAndACloseRequest)
{
    const std::vector<Delivery> typed =
        play("key BackSpace Delete Home KP_1 Alt_L period", cor::EVENT_TYPE_KEYBOARD);
    ASSERT_EQ(typed.size(), 2u);
    EXPECT_TRUE(typed[0].key == cor::PERIOD && typed[0].action == cor::PRESS);
    EXPECT_TRUE(typed[1].key == cor::PERIOD && typed[1].action == cor::RELEASE);

    // Clicks land in the cell under the pointer; side buttons and the wheel give none.
    const std::pair<cor::Vector, int> clicks[] = {{{50, 12}, 1}, {{0, 0}, 3},   {{79, 23}, 2},
                                                  {{10, 10}, 8}, {{11, 10}, 9}, {{12, 10}, 4}};
    std::string pointer;
    for (const auto& [cell, button] : clicks)
    {
        const cor::Vector pixel = display.cellsToPixels(cell + cor::Vector(0.5f, 0.5f));
        pointer += " mousemove --window " + window + " --sync " + std::to_string(int(pixel.x)) +
                   " " + std::to_string(int(pixel.y)) + " click " + std::to_string(button);
    }
    std::vector<Delivery> seen;
    for (const Delivery& mouse : play(pointer, cor::EVENT_TYPE_MOUSE))
        if (mouse.action == cor::CLICK)
            seen.push_back(mouse);
    const cor::MouseButton buttons[] = {cor::LEFT_BUTTON, cor::RIGHT_BUTTON, cor::MIDDLE_BUTTON};
    ASSERT_EQ(seen.size(), std::size(buttons));
    for (std::size_t i = 0; i < seen.size(); ++i)
    {
        EXPECT_EQ(seen[i].button, buttons[i]);
        EXPECT_EQ(std::floor(seen[i].position.x), clicks[i].first.x);
        EXPECT_EQ(std::floor(seen[i].position.y), clicks[i].first.y);
    }

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
    EXPECT_TRUE(display.window()->isOpen());
}
