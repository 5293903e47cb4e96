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
