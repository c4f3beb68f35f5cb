// The frame loop on a clock the test drives, the real sleep under it, and the log file.
#include "TestSupport.h"

#include <cor/DisplayManager.h>
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
        return now += readingStart ? 0 : work.at(frame++);
    }
    void sleepMilliseconds(std::int32_t milliseconds) override
    {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }

    std::vector<std::int64_t> work;
    std::vector<std::int32_t> sleeps;
    std::int64_t now = 5000;
    std::size_t frame = 0;
    bool readingStart = false;
};

class LoopTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        cor::GameManager::instance().setFrameTimer(&clock);
        EngineFixture::SetUp();
    }
    ScriptedTimer clock;
};

} // namespace

TEST_F(LoopTest, FramesAreNumberedSleepTheRestOfTheirTimeAndTheEndingFrameCompletes)
{
    // 33 ms of work or more: no sleep; a clock that ran backwards: one frame's time at most.
    clock.work = {10, 33, 40, 0, 32, -500};
    auto* recorder = new Recorder;
    int draws = 0;
    recorder->onDraw = [&] { ++draws; };
    Recorder* latecomer = nullptr;
    recorder->onEvent = [&](const cor::Event& event)
    {
        const int step = static_cast<const cor::EventStep&>(event).stepCount();
        latecomer = step == 0 ? new Recorder : latecomer; // made during step 0, it misses it
        if (step == 5)
            cor::GameManager::instance().endGame();
    };
    cor::GameManager::instance().run();

    const std::vector<Delivery> steps = recorder->received(cor::EVENT_TYPE_STEP);
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps.back().step, 5);
    EXPECT_EQ(draws, 6);
    EXPECT_EQ(clock.sleeps, (std::vector<std::int32_t>{23, 33, 1, 33}));
    EXPECT_EQ(latecomer->received(cor::EVENT_TYPE_STEP).front().step, 1);
}

TEST(GameManagerStart, AFailedDisplayStartLeavesTheLaterManagersStopped)
{
    TempDir dir; // no font here, so the display cannot start
    cor::InputManager::instance().shutdown();
    cor::WorldManager::instance().shutdown();
    EXPECT_EQ(cor::GameManager::instance().initialize(), -1);
    EXPECT_FALSE(cor::GameManager::instance().hasStarted());
    EXPECT_TRUE(cor::LogManager::instance().hasStarted());
    EXPECT_FALSE(cor::DisplayManager::instance().hasStarted());
    EXPECT_FALSE(cor::InputManager::instance().hasStarted());
    EXPECT_FALSE(cor::WorldManager::instance().hasStarted());
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
