#include "framework/FrameClock.h"

#include <gtest/gtest.h>

namespace
{
// A clock on a hand-moved millisecond counter, driven the way the game drives it each frame.
class ClockTest : public testing::Test
{
protected:
    void Frame(double elapsedMilliseconds = 0.0)
    {
        mMilliseconds += elapsedMilliseconds;
        mClock.RunFrame(mPaused, mStepOnce, mFrameTime);
    }

    double mMilliseconds = 5000.0;
    Library::FrameClock mClock{[this] { return mMilliseconds; }};
    Library::FrameTime mFrameTime;
    bool mPaused = false;
    bool mStepOnce = false;
};

TEST_F(ClockTest, PauseHoldsTheTimeAxisAndResumeContinuesWhereItStood)
{
    Frame(1000.0);
    EXPECT_DOUBLE_EQ(mFrameTime.sinceStart, 1.0);
    mPaused = true;
    Frame();
    Frame(2000.0);
    EXPECT_DOUBLE_EQ(mFrameTime.sinceStart, 1.0);
    EXPECT_TRUE(mFrameTime.paused);
    mPaused = false;
    Frame();
    Frame(250.0);
    EXPECT_DOUBLE_EQ(mFrameTime.sinceStart, 1.25);
    EXPECT_DOUBLE_EQ(mFrameTime.sinceLast, 0.25);
    EXPECT_FALSE(mFrameTime.paused);
}

TEST_F(ClockTest, FixedStepGivesTheNthFrameNTimesTheStepWhateverTheRealTime)
{
    mClock.fixedStep = 1.0 / 30.0;
    for (int frame = 1; frame <= 90; ++frame) {
        Frame(frame % 7 == 0 ? 900.0 : 3.0);
        ASSERT_NEAR(mFrameTime.sinceStart, frame / 30.0, 1e-9) << "frame " << frame;
    }
}

struct StepOnceCase
{
    const char* name;
    bool paused;
    double fixedStep;
    double expectedAdvance; // seconds the step-once frame moves the time axis
};

void PrintTo(const StepOnceCase& stepCase, std::ostream* out)
{
    *out << stepCase.name;
}

class StepOnceTest : public ClockTest, public testing::WithParamInterface<StepOnceCase>
{
};

// While paused, real time spent paused never reaches the time axis: a step-once frame moves it by
// one tick only, and the game stays paused.
TEST_P(StepOnceTest, StepOnceTicksOnceMore)
{
    mClock.fixedStep = GetParam().fixedStep;
    Frame(100.0);
    mPaused = GetParam().paused;
    Frame();
    Frame(2000.0);
    const double before = mFrameTime.sinceStart;
    mStepOnce = true;
    Frame(GetParam().paused ? 3000.0 : 0.0);
    EXPECT_NEAR(mFrameTime.sinceStart - before, GetParam().expectedAdvance, 1e-9);
    EXPECT_FALSE(mStepOnce);
    EXPECT_EQ(mFrameTime.paused, GetParam().paused);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepOnceTest,
    testing::Values(StepOnceCase{"PausedRealTime", true, 0.0, 0.0},
        StepOnceCase{"PausedFixedStep", true, 0.5, 0.5},
        StepOnceCase{"RunningFixedStepTicksTwice", false, 0.5, 1.0}),
    [](const testing::TestParamInfo<StepOnceCase>& testCase) { return std::string(testCase.param.name); });

TEST_F(ClockTest, SeekWhilePausedLandsExactlyOnTheTargetAndResumesFromThere)
{
    Frame(4000.0);
    mPaused = true;
    Frame();
    mMilliseconds += 7000.0; // a long pause before the seek
    mClock.ShiftTo(1.5);
    mStepOnce = true;
    Frame(12.0);
    EXPECT_NEAR(mFrameTime.sinceStart, 1.5, 1e-9);
    mPaused = false;
    Frame(3000.0);
    Frame(500.0);
    EXPECT_NEAR(mFrameTime.sinceStart, 2.0, 1e-9);
}

TEST_F(ClockTest, RestartBeginsTheTimeAxisAgain)
{
    Frame(3000.0);
    mClock.Restart();
    Frame(200.0);
    EXPECT_NEAR(mFrameTime.sinceStart, 0.2, 1e-9);
}
}
