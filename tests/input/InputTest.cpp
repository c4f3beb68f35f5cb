#include "TestSupport.h"
#include "XTestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/EventKeyboard.h>
#include <cor/EventMouse.h>
#include <cor/GameManager.h>
#include <cor/InputManager.h>
#include <cor/Object.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Real key presses and pointer events from xdotool, into the engine's real window.

namespace
{

struct KeyRecord
{
    cor::Key key;
    cor::KeyAction action;
    bool operator==(const KeyRecord& other) const
    {
        return key == other.key && action == other.action;
    }
};

struct MouseRecord
{
    cor::MouseAction action;
    cor::MouseButton button;
    cor::Vector position;
};

void PrintTo(const KeyRecord& record, std::ostream* out)
{
    *out << "{key " << record.key << ", action " << record.action << "}";
}

class InputRecorder : public cor::Object
{
public:
    int handleEvent(const cor::Event* event) override
    {
        if (event->typeName() == cor::EVENT_TYPE_KEYBOARD)
        {
            const auto* keyboard = static_cast<const cor::EventKeyboard*>(event);
            keys.push_back({keyboard->key(), keyboard->action()});
            return 1;
        }
        if (event->typeName() == cor::EVENT_TYPE_MOUSE)
        {
            const auto* mouse = static_cast<const cor::EventMouse*>(event);
            mice.push_back({mouse->action(), mouse->button(), mouse->position()});
            return 1;
        }
        return 0;
    }

    std::vector<MouseRecord> clicks() const
    {
        std::vector<MouseRecord> found;
        for (const MouseRecord& record : mice)
        {
            if (record.action == cor::CLICK)
                found.push_back(record);
        }
        return found;
    }

    std::vector<KeyRecord> keys;
    std::vector<MouseRecord> mice;
};

class InputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xtest::usePrivateDisplay());
        testsupport::copyRunDirectory(dir.path());
        ASSERT_EQ(cor::GameManager::instance().initialize(), 0);
        window = xtest::findWindow(cor::DEFAULT_TITLE);
        ASSERT_FALSE(window.empty());
        ASSERT_TRUE(xtest::focusWindow(window));
        recorder = new InputRecorder;
        // Whatever mapping and focusing the window queued is not part of any test.
        xtest::pollFor(poll, std::chrono::milliseconds(150));
        recorder->keys.clear();
        recorder->mice.clear();
    }
    void TearDown() override { cor::GameManager::instance().shutdown(); }

    bool waitForKeys(std::size_t count)
    {
        return xtest::pollUntil(poll, [&] { return recorder->keys.size() >= count; });
    }
    bool waitForClicks(std::size_t count)
    {
        return xtest::pollUntil(poll, [&] { return recorder->clicks().size() >= count; });
    }
    // Moves the pointer to a pixel of the window and clicks the X button there.
    bool clickAt(int x, int y, int xButton)
    {
        return xtest::xdotool({"mousemove", "--window", window, "--sync", std::to_string(x),
                               std::to_string(y)}) &&
               xtest::xdotool({"click", std::to_string(xButton)});
    }
    static cor::Vector expectedCells(float x, float y)
    {
        const cor::DisplayManager& display = cor::DisplayManager::instance();
        const float pixelsPerColumn =
            static_cast<float>(display.pixelWidth()) / static_cast<float>(display.cellColumns());
        const float pixelsPerRow =
            static_cast<float>(display.pixelHeight()) / static_cast<float>(display.cellRows());
        return {x / pixelsPerColumn, y / pixelsPerRow};
    }

    static void poll() { cor::InputManager::instance().pollInput(); }

    testsupport::TempDir dir;
    std::string window;
    InputRecorder* recorder = nullptr;
};

} // namespace

TEST_F(InputTest, APressAndReleaseGiveKey31PressThenRelease)
{
    ASSERT_TRUE(xtest::xdotool({"key", "a"}));
    ASSERT_TRUE(waitForKeys(2));
    EXPECT_EQ(cor::A, 31);
    EXPECT_EQ(recorder->keys,
              (std::vector<KeyRecord>{{cor::A, cor::PRESS}, {cor::A, cor::RELEASE}}));
}

TEST_F(InputTest, AKeyHeldDownGivesOnePressAndNoRepeats)
{
    ASSERT_TRUE(xtest::xdotool({"keydown", "a"}));
    ASSERT_TRUE(waitForKeys(1));
    xtest::pollFor(poll, std::chrono::seconds(1));
    ASSERT_TRUE(xtest::xdotool({"keyup", "a"}));
    ASSERT_TRUE(waitForKeys(2));
    xtest::pollFor(poll, std::chrono::milliseconds(100));
    EXPECT_EQ(recorder->keys,
              (std::vector<KeyRecord>{{cor::A, cor::PRESS}, {cor::A, cor::RELEASE}}));

    // The same hold with repeat allowed does repeat here, so the check above can fail.
    recorder->keys.clear();
    cor::DisplayManager::instance().window()->setKeyRepeatEnabled(true);
    ASSERT_TRUE(xtest::xdotool({"keydown", "a"}));
    xtest::pollFor(poll, std::chrono::seconds(1));
    ASSERT_TRUE(xtest::xdotool({"keyup", "a"}));
    ASSERT_TRUE(waitForKeys(3));
    EXPECT_GT(recorder->keys.size(), 2u);
}

TEST_F(InputTest, KeysOutsideTheTableGiveNoEventAtAll)
{
    // The Z after them marks the end: events arrive in order, so nothing else can follow.
    ASSERT_TRUE(xtest::xdotool({"key", "BackSpace", "Delete", "Home", "KP_1", "Alt_L", "z"}));
    ASSERT_TRUE(waitForKeys(2));
    xtest::pollFor(poll, std::chrono::milliseconds(100));
    EXPECT_EQ(recorder->keys,
              (std::vector<KeyRecord>{{cor::Z, cor::PRESS}, {cor::Z, cor::RELEASE}}));
}

TEST_F(InputTest, EveryKindOfMappedKeyArrivesAsItsEngineKey)
{
    const std::vector<std::pair<std::string, cor::Key>> keys = {
        {"1", cor::NUM1},        {"0", cor::NUM0},
        {"9", cor::NUM9},        {"Left", cor::LEFT},
        {"Right", cor::RIGHT},   {"Up", cor::UP},
        {"Down", cor::DOWN},     {"Return", cor::ENTER},
        {"Escape", cor::ESCAPE}, {"grave", cor::GRAVE},
        {"space", cor::SPACE},   {"Tab", cor::TAB},
        {"Pause", cor::PAUSE},   {"minus", cor::HYPHEN},
        {"equal", cor::EQUAL},   {"period", cor::PERIOD},
        {"comma", cor::COMMA},   {"slash", cor::SLASH},
        {"F1", cor::F1},         {"F12", cor::F12},
        {"q", cor::Q},           {"Control_L", cor::LCONTROL},
        {"Shift_L", cor::LSHIFT}};
    std::vector<std::string> arguments = {"key"};
    std::vector<KeyRecord> expected;
    for (const auto& [name, key] : keys)
    {
        arguments.push_back(name);
        expected.push_back({key, cor::PRESS});
        expected.push_back({key, cor::RELEASE});
    }
    ASSERT_TRUE(xtest::xdotool(arguments));
    ASSERT_TRUE(waitForKeys(expected.size()));
    xtest::pollFor(poll, std::chrono::milliseconds(100));
    ASSERT_EQ(recorder->keys.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(recorder->keys[i], expected[i]) << keys[i / 2].first;
    EXPECT_EQ(cor::NUM1, 57);
    EXPECT_EQ(cor::NUM0, 66);
}

TEST_F(InputTest, ClicksArriveInCellsWithTheirButton)
{
    const std::vector<std::pair<int, int>> pixels = {{640, 384}, {13, 33}, {0, 0}};
    for (const auto& [x, y] : pixels)
        ASSERT_TRUE(clickAt(x, y, 1));
    ASSERT_TRUE(clickAt(200, 100, 3));
    ASSERT_TRUE(clickAt(300, 150, 2));
    ASSERT_TRUE(waitForClicks(5));

    const std::vector<MouseRecord> clicks = recorder->clicks();
    ASSERT_EQ(clicks.size(), 5u);
    for (std::size_t i = 0; i < pixels.size(); ++i)
    {
        const cor::Vector cells = expectedCells(static_cast<float>(pixels[i].first),
                                                static_cast<float>(pixels[i].second));
        EXPECT_EQ(clicks[i].button, cor::LEFT_BUTTON);
        EXPECT_EQ(clicks[i].position, cells) << clicks[i].position.x << "," << clicks[i].position.y;
    }
    // The figures a 1024 x 768 window of 80 x 24 cells gives.
    EXPECT_EQ(clicks[0].position, cor::Vector(50.0f, 12.0f));
    EXPECT_EQ(clicks[1].position, cor::Vector(1.015625f, 1.03125f));
    EXPECT_EQ(clicks[3].button, cor::RIGHT_BUTTON);
    EXPECT_EQ(clicks[3].position, expectedCells(200.0f, 100.0f));
    EXPECT_EQ(clicks[4].button, cor::MIDDLE_BUTTON);
    EXPECT_EQ(clicks[4].position, expectedCells(300.0f, 150.0f));
}

TEST_F(InputTest, SideButtonsTheWheelAndReleasesGiveNoClick)
{
    ASSERT_TRUE(clickAt(100, 100, 8));
    ASSERT_TRUE(xtest::xdotool({"click", "9"}));
    ASSERT_TRUE(xtest::xdotool({"click", "4"}));
    ASSERT_TRUE(xtest::xdotool({"click", "5"}));
    // A left click marks the end of the queue.
    ASSERT_TRUE(xtest::xdotool({"click", "1"}));
    ASSERT_TRUE(waitForClicks(1));
    xtest::pollFor(poll, std::chrono::milliseconds(100));
    const std::vector<MouseRecord> clicks = recorder->clicks();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].button, cor::LEFT_BUTTON);
    EXPECT_EQ(clicks[0].position, expectedCells(100.0f, 100.0f));
}

TEST_F(InputTest, PointerMotionGivesMoveEventsWithoutAButton)
{
    ASSERT_TRUE(xtest::xdotool({"mousemove", "--window", window, "--sync", "100", "200"}));
    ASSERT_TRUE(xtest::xdotool({"mousemove", "--window", window, "--sync", "512", "700"}));
    const cor::Vector last = expectedCells(512.0f, 700.0f);
    ASSERT_TRUE(xtest::pollUntil(
        poll, [&] { return !recorder->mice.empty() && recorder->mice.back().position == last; }));
    bool sawFirst = false;
    for (const MouseRecord& record : recorder->mice)
    {
        EXPECT_EQ(record.action, cor::MOVE);
        EXPECT_EQ(record.button, cor::NO_BUTTON);
        sawFirst = sawFirst || record.position == expectedCells(100.0f, 200.0f);
    }
    EXPECT_TRUE(sawFirst);
}

TEST_F(InputTest, ACloseRequestLeavesTheWindowOpenAndGivesNoEvent)
{
    ASSERT_TRUE(xtest::sendCloseRequest(window));
    ASSERT_TRUE(xtest::xdotool({"key", "z"}));
    ASSERT_TRUE(waitForKeys(2));
    xtest::pollFor(poll, std::chrono::milliseconds(100));
    EXPECT_EQ(recorder->keys,
              (std::vector<KeyRecord>{{cor::Z, cor::PRESS}, {cor::Z, cor::RELEASE}}));
    EXPECT_TRUE(recorder->mice.empty());
    ASSERT_NE(cor::DisplayManager::instance().window(), nullptr);
    EXPECT_TRUE(cor::DisplayManager::instance().window()->isOpen());
    EXPECT_FALSE(xtest::findWindow(cor::DEFAULT_TITLE).empty());
}

TEST(InputManagerStartTest, NeedsAStartedDisplay)
{
    cor::DisplayManager::instance().shutdown();
    cor::InputManager& input = cor::InputManager::instance();
    input.shutdown();
    EXPECT_EQ(input.initialize(), -1);
    EXPECT_FALSE(input.hasStarted());
}
