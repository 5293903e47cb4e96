// The opt-in run measurement: when it is on, when it ends the run, the rate it reports.
#include <gtest/gtest.h>

#include "app/FrameClock.h"

TEST(FrameClock, StaysOffUnlessGivenAWholePositiveNumber)
{
    for (const char* text : {static_cast<const char*>(nullptr), "", "0", "-5", "12x", "x", "1.5"}) {
        CFrameClock clock(text);
        EXPECT_FALSE(clock.On()) << (text ? text : "(null)");
        // Off, it never ends the run and counts nothing.
        EXPECT_TRUE(clock.Presented(1.0, 2.0));
        EXPECT_EQ(clock.frames, 0);
    }
    EXPECT_TRUE(CFrameClock("300").On());
}

TEST(FrameClock, EndsTheRunOnTheNthFrameAndRatesFramesAfterTheFirst)
{
    testing::internal::CaptureStderr();
    CFrameClock clock("3");
    EXPECT_TRUE(clock.Presented(10.0, 1000.0));
    EXPECT_TRUE(clock.Presented(10.5, 1000.5));
    EXPECT_FALSE(clock.Presented(11.0, 1001.0));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("first frame presented at 1000.000000"), std::string::npos) << said;
    EXPECT_EQ(clock.frames, 3);
    // Two frame intervals in one second.
    EXPECT_DOUBLE_EQ(clock.Rate(), 2.0);
}

TEST(FrameClock, RateIsZeroBeforeTwoFrames)
{
    testing::internal::CaptureStderr();
    CFrameClock clock("10");
    EXPECT_EQ(clock.Rate(), 0.0);
    clock.Presented(5.0, 5.0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(clock.Rate(), 0.0);
}

TEST(FrameClock, QuantilesOfFrameIntervalsCatchTheRareSlowFrame)
{
    testing::internal::CaptureStderr();
    CFrameClock clock("201");
    double t = 0.0;
    clock.Presented(t, t);
    // 200 intervals: 196 of 5 ms, four of 40 ms. The 99th percentile is
    // rank 198 of 200: two slow frames in a hundred show in it.
    for (int i = 0; i < 200; ++i) {
        t += (i % 50 == 49) ? 0.040 : 0.005;
        clock.Presented(t, t);
    }
    testing::internal::GetCapturedStderr();
    EXPECT_NEAR(clock.IntervalQuantile(0.5), 0.005, 1e-6);
    EXPECT_NEAR(clock.IntervalQuantile(0.99), 0.040, 1e-6);
    EXPECT_NEAR(clock.IntervalQuantile(0.98), 0.005, 1e-6);
    EXPECT_EQ(CFrameClock("5").IntervalQuantile(0.99), 0.0) << "no frames yet";
}
