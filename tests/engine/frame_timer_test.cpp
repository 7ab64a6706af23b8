#include "engine/frame_timer.h"

#include <gtest/gtest.h>

namespace
{

unsigned int gNow = 0;
unsigned int FakeTicks()
{
    return gNow;
}

TEST(FrameTimer, DefinedBeforeReset)
{
    FrameTimer t;
    EXPECT_EQ(t.fps, 0);
    EXPECT_EQ(t.frameCount, 0);
    EXPECT_EQ(t.delta, 0.0f);
    EXPECT_EQ(t.elapsed, 0.0f);
}

TEST(FrameTimer, DeltasAndElapsed)
{
    FrameTimer t;
    t.ticks = FakeTicks;
    gNow = 1000;
    t.Reset();
    t.Tick();
    EXPECT_FLOAT_EQ(t.delta, 0.0f);
    gNow = 1010;
    t.Tick();
    EXPECT_FLOAT_EQ(t.delta, 0.01f);
    gNow = 1030;
    t.Tick();
    EXPECT_FLOAT_EQ(t.delta, 0.02f);
    EXPECT_FLOAT_EQ(t.elapsed, 0.03f);
}

TEST(FrameTimer, DeltaSurvivesTheTickWrap)
{
    FrameTimer t;
    t.ticks = FakeTicks;
    gNow = 4294967290u;
    t.Reset();
    gNow = 4;
    t.Tick();
    EXPECT_FLOAT_EQ(t.delta, 0.01f);
}

TEST(FrameTimer, FpsTakenAtTheFirstTickPastOneSecond)
{
    FrameTimer t;
    t.ticks = FakeTicks;
    gNow = 0;
    t.Reset();
    // 100 ticks of 10 ms reach exactly 1.0 s: not yet more than one second.
    for (int i = 0; i < 100; ++i)
    {
        gNow += 10;
        t.Tick();
    }
    EXPECT_EQ(t.fps, 0);
    EXPECT_EQ(t.frameCount, 100);
    gNow += 10;
    t.Tick();
    EXPECT_EQ(t.fps, 101);
    EXPECT_EQ(t.frameCount, 0);
    // The next second counts from the tick after the mark.
    for (int i = 0; i < 33; ++i)
    {
        gNow += 30;
        t.Tick();
    }
    EXPECT_EQ(t.fps, 101);
    gNow += 30;
    t.Tick();
    EXPECT_EQ(t.fps, 34);
}

} // namespace
