#include "TestSupport.h"

#include <cor/DisplayManager.h>
#include <cor/EventStep.h>
#include <cor/FrameTimer.h>
#include <cor/GameManager.h>
#include <cor/InputManager.h>
#include <cor/LogManager.h>
#include <cor/Object.h>
#include <cor/ResourceManager.h>
#include <cor/WorldManager.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{

// A clock the test drives: frame k's work takes workMs(k); sleeps are recorded, not slept.
class ScriptedTimer : public cor::FrameTimer
{
public:
    std::int64_t nowMilliseconds() override
    {
        if (m_nextReadIsStart)
        {
            m_nextReadIsStart = false;
            return m_now;
        }
        m_nextReadIsStart = true;
        m_now += workMs(m_frame++);
        return m_now;
    }
    void sleepMilliseconds(std::int32_t milliseconds) override
    {
        sleeps.push_back(milliseconds);
        m_now += milliseconds;
    }
    int beginResolution() override
    {
        ++resolutionBegins;
        return 0;
    }
    void endResolution() override { ++resolutionEnds; }

    std::function<std::int64_t(int frame)> workMs = [](int) { return 10; };
    std::vector<std::int32_t> sleeps;
    int resolutionBegins = 0;
    int resolutionEnds = 0;

private:
    std::int64_t m_now = 5000;
    int m_frame = 0;
    bool m_nextReadIsStart = true;
};

// Records the step numbers it receives and ends the game in a chosen frame.
class StepRecorder : public cor::Object
{
public:
    int handleEvent(const cor::Event* event) override
    {
        if (event->typeName() != cor::EVENT_TYPE_STEP)
            return 0;
        const auto* step = static_cast<const cor::EventStep*>(event);
        steps.push_back(step->stepCount());
        if (onStep)
            onStep(step->stepCount());
        if (step->stepCount() == endInFrame)
            cor::GameManager::instance().endGame();
        return 1;
    }
    int draw() override
    {
        ++draws;
        return 0;
    }

    std::vector<int> steps;
    std::function<void(int)> onStep;
    int endInFrame = 0;
    int draws = 0;
};

// Runs the real start-up in a temporary copy of the run directory, on the test's clock.
class GameLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::copyRunDirectory(dir.path());
        game.setFrameTimer(&timer);
        ASSERT_EQ(game.initialize(), 0);
        ASSERT_FALSE(game.isGameOver());
    }
    void TearDown() override
    {
        game.shutdown();
        game.setFrameTimer(nullptr);
    }

    testsupport::TempDir dir;
    ScriptedTimer timer;
    cor::GameManager& game = cor::GameManager::instance();
};

} // namespace

TEST_F(GameLoopTest, StartsEveryManagerAndTheTimerResolution)
{
    EXPECT_EQ(game.typeName(), "GameManager");
    EXPECT_TRUE(game.hasStarted());
    EXPECT_TRUE(cor::LogManager::instance().hasStarted());
    EXPECT_TRUE(cor::ResourceManager::instance().hasStarted());
    EXPECT_TRUE(cor::DisplayManager::instance().hasStarted());
    EXPECT_TRUE(cor::InputManager::instance().hasStarted());
    EXPECT_TRUE(cor::WorldManager::instance().hasStarted());
    EXPECT_EQ(timer.resolutionBegins, 1);
    EXPECT_EQ(game.frameTimeMs(), 33);
}

TEST_F(GameLoopTest, StepsAreNumberedFromZeroAndTheEndingFrameStillCompletes)
{
    auto* recorder = new StepRecorder;
    recorder->endInFrame = 4;
    game.run();

    EXPECT_EQ(recorder->steps, (std::vector<int>{0, 1, 2, 3, 4}));
    // The frame in which endGame() was called still drew and slept; no frame followed.
    EXPECT_EQ(recorder->draws, 5);
    EXPECT_EQ(timer.sleeps.size(), 5u);
    EXPECT_TRUE(game.isGameOver());
}

TEST_F(GameLoopTest, AFrameSleepsForTheRestOfItsTimeAndNeverMore)
{
    const std::vector<std::int64_t> work = {10, 33, 40, 0, 32, -500};
    timer.workMs = [&](int frame) { return work[static_cast<std::size_t>(frame)]; };
    auto* recorder = new StepRecorder;
    recorder->endInFrame = static_cast<int>(work.size()) - 1;
    game.run();

    // 33 ms or more of work: no sleep. A clock that ran backwards: one frame's time at most.
    EXPECT_EQ(timer.sleeps, (std::vector<std::int32_t>{23, 33, 1, 33}));
}

TEST_F(GameLoopTest, ObjectsMadeDuringAStepMissItAndScheduledOnesStillGetIt)
{
    auto* recorder = new StepRecorder;
    recorder->endInFrame = 1;
    StepRecorder* latecomer = nullptr;
    auto* doomed = new StepRecorder;
    doomed->endInFrame = -1;
    recorder->onStep = [&](int step) {
        if (step == 0)
        {
            latecomer = new StepRecorder;
            latecomer->endInFrame = -1;
            cor::WorldManager::instance().scheduleDeletion(doomed);
        }
    };
    const cor::FixedObjectList before = cor::WorldManager::instance().allObjects();
    game.run();

    ASSERT_NE(latecomer, nullptr);
    EXPECT_EQ(latecomer->steps, (std::vector<int>{1}));
    // The doomed object got step 0 (it comes after the recorder) and was deleted after it.
    EXPECT_EQ(before.count(), 2);
    EXPECT_EQ(cor::WorldManager::instance().allObjects().count(), 2);
}

TEST_F(GameLoopTest, RunAfterShutdownReturnsAtOnce)
{
    auto* recorder = new StepRecorder;
    recorder->endInFrame = 0;
    game.shutdown();
    // Shutdown deleted the recorder with the world; a new one must hear nothing.
    auto* listener = new StepRecorder;
    game.run();
    EXPECT_TRUE(listener->steps.empty());
    EXPECT_TRUE(timer.sleeps.empty());
    EXPECT_EQ(timer.resolutionEnds, 1);
    delete listener;
    (void)recorder;
}

TEST(GameManagerStartTest, AFailedDisplayStartLeavesTheLaterManagersStopped)
{
    testsupport::TempDir dir; // no font here, so the display manager cannot start
    ScriptedTimer timer;
    cor::GameManager& game = cor::GameManager::instance();
    game.setFrameTimer(&timer);
    cor::InputManager::instance().shutdown();
    cor::WorldManager::instance().shutdown();

    EXPECT_EQ(game.initialize(), -1);
    EXPECT_FALSE(game.hasStarted());
    EXPECT_TRUE(cor::LogManager::instance().hasStarted());
    EXPECT_TRUE(cor::ResourceManager::instance().hasStarted());
    EXPECT_FALSE(cor::DisplayManager::instance().hasStarted());
    EXPECT_FALSE(cor::InputManager::instance().hasStarted());
    EXPECT_FALSE(cor::WorldManager::instance().hasStarted());
    EXPECT_EQ(timer.resolutionBegins, 0);

    game.shutdown();
    game.setFrameTimer(nullptr);
}
