// The frame loop on a clock the test drives, the real sleep under it, the managers' start and
// stop, and the log file.
#include "TestSupport.h"

#include <cor/BoundingBox.h>
#include <cor/DisplayManager.h>
#include <cor/EventKeyboard.h>
#include <cor/EventStep.h>
#include <cor/FrameTimer.h>
#include <cor/GameManager.h>
#include <cor/InputManager.h>
#include <cor/LogManager.h>
#include <cor/WorldManager.h>

#include <filesystem>

using namespace testsupport;

namespace
{

// Frame k's work takes work[k] ms; sleeps are recorded and move the clock, nothing is slept.
struct ScriptedTimer : cor::FrameTimer
{
    std::int64_t nowMilliseconds() override
    {
        readingStart = !readingStart;
        if (!readingStart)
            onFrameEnd();
        return now += readingStart ? 0 : work.at(frame++);
    }
    void sleepMilliseconds(std::int32_t milliseconds) override
    {
        sleeps.push_back(milliseconds);
        onSleep();
        now += milliseconds;
    }

    std::vector<std::int64_t> work;
    std::vector<std::int32_t> sleeps;
    std::function<void()> onFrameEnd, onSleep;
    std::int64_t now = 5000;
    std::size_t frame = 0;
    bool readingStart = false;
};

using LoopTest = EngineFixture;
cor::DisplayManager& display = cor::DisplayManager::instance();

} // namespace

TEST_F(LoopTest, EachFrameRunsItsPartsInOrderSleepsTheRestOfItsTimeAndTheEndingFrameCompletes)
{
    // 33 ms of work or more: no sleep; a clock that ran backwards: one frame's time at most.
    static ScriptedTimer clock; // outlives the test, which the engine stops after it
    clock.work = {10, 33, 40, 0, 32, -500};
    cor::GameManager::instance().setFrameTimer(&clock);
    std::vector<std::string> frames; // the parts of each frame, in order
    const auto note = [&](const std::string& part) { frames.back() += " " + part; };
    // It moves in every motion pass, onto a wide passable object deleted in the same frame, and
    // shows in the window once drawn.
    auto* recorder = new Recorder;
    recorder->setSolidness(cor::PASSABLE);
    recorder->setPosition(cor::Vector(20, 10));
    recorder->setDirection(cor::Vector(1, 0));
    recorder->setSpeed(0.25f);
    Recorder* latecomer = nullptr;
    recorder->onEvent = [&](const cor::Event& event)
    {
        if (const auto* key = dynamic_cast<const cor::EventKeyboard*>(&event))
            return key->action() == cor::PRESS ? note("input") : void();
        if (event.typeName() != cor::EVENT_TYPE_STEP)
            return note("motion");
        frames.emplace_back();
        note("step");
        const int step = static_cast<const cor::EventStep&>(event).stepCount();
        latecomer = step == 0 ? new Recorder : latecomer; // made during step 0, it misses it
        if (step == 0)
            pressKeys("x");
        if (step == 5)
            cor::GameManager::instance().endGame();
        auto* victim = new Recorder;
        victim->setSolidness(cor::PASSABLE);
        victim->setBox(cor::BoundingBox(cor::Vector(-50, -50), 100, 100));
        victim->onDestroy = [&] { note("deletion"); };
        cor::WorldManager::instance().scheduleDeletion(victim);
    };
    recorder->onDraw = [&]
    { note(display.drawCh(cor::Vector(10, 10), '#', cor::WHITE) == 0 ? "draw" : "no draw"); };
    // A window presented and cleared shows nothing more to read back.
    clock.onFrameEnd = [&]
    { note(pixelsOfColor(windowPicture(), 10, 10, sf::Color::White) ? "unpresented" : "present"); };
    clock.onSleep = [&] { note("sleep"); };
    focusEngineWindow();
    cor::GameManager::instance().run();

    const auto frameTime = std::int32_t(fact("frame_ms"));
    ASSERT_EQ(frames.size(), clock.work.size());
    bool keys = false; // the key pressed in step 0 reaches some frame
    for (std::size_t k = 0; k < frames.size(); ++k)
    {
        std::string expected = factLines("frame_order").front();
        if (frames[k].find(" input") == std::string::npos)
            expected.erase(expected.find(" input"), 6);
        if (clock.work[k] >= frameTime)
            expected.erase(expected.find(" sleep"), 6);
        keys |= expected.find(" input") != std::string::npos;
        EXPECT_EQ(frames[k], expected) << "frame " << k;
    }
    EXPECT_TRUE(keys);
    EXPECT_EQ(clock.sleeps, (std::vector<std::int32_t>{frameTime - 10, frameTime - 0,
                                                       frameTime - 32, frameTime}));
    EXPECT_EQ(latecomer->received(cor::EVENT_TYPE_STEP).front().step, 1);
}

TEST(GameManagerStart, AFailedDisplayStartLeavesTheLaterManagersAndTheGameManagerStopped)
{
    TempDir dir; // no font here, so the display cannot start
    cor::InputManager::instance().shutdown();
    cor::WorldManager::instance().shutdown();
    EXPECT_EQ(cor::GameManager::instance().initialize(), -1);
    EXPECT_TRUE(
        !cor::GameManager::instance().hasStarted() && cor::LogManager::instance().hasStarted() &&
        !cor::DisplayManager::instance().hasStarted() &&
        !cor::InputManager::instance().hasStarted() && !cor::WorldManager::instance().hasStarted());
    cor::GameManager::instance().shutdown();
}

TEST(PlatformTimer, SleepsAtLeastAsLongAsAsked)
{
    cor::FrameTimer& timer = cor::FrameTimer::system();
    const std::int64_t before = timer.nowMilliseconds();
    timer.sleepMilliseconds(50);
    EXPECT_GE(timer.nowMilliseconds() - before, 50);
}

TEST(LogManager, StartEmptiesAnEarlierLogAndOnlyAStartedLogWritesExactlyWhatIsFormatted)
{
    TempDir dir;
    writeFile(cor::DEFAULT_LOG_FILE, "left over from an earlier run\n");
    cor::LogManager& log = cor::LogManager::instance();
    EXPECT_EQ(log.logMessage("before start\n"), -1);
    ASSERT_EQ(log.initialize(), 0);
    EXPECT_EQ(log.logMessage("value %d", 42), static_cast<int>(std::string("value 42").size()));
    log.logMessage(" continues\n%s\n", "100% exact");
    log.shutdown();
    EXPECT_EQ(log.logMessage("after stop\n"), -1);
    EXPECT_EQ(readFile(cor::DEFAULT_LOG_FILE), "value 42 continues\n100% exact\n");
    // A start refused after a good one leaves the manager stopped.
    ASSERT_EQ(log.initialize(), 0);
    std::filesystem::remove(cor::DEFAULT_LOG_FILE);
    std::filesystem::create_directory(cor::DEFAULT_LOG_FILE);
    EXPECT_EQ(log.initialize(), -1);
    EXPECT_FALSE(log.hasStarted());
    EXPECT_EQ(log.logMessage("nowhere\n"), -1);
}
