// The frame-rate average: growing window, then exactly the last 30 samples.
#include <gtest/gtest.h>

#include "app/RunningAverage.h"

TEST(RunningAverage, AveragesTheSamplesSeenUntilTheWindowIsFull)
{
    CRunningAverage avg(30);
    avg.Add(10.0f);
    EXPECT_FLOAT_EQ(avg.average, 10.0f);
    avg.Add(20.0f);
    EXPECT_EQ(avg.count, 2);
    EXPECT_FLOAT_EQ(avg.average, 15.0f);
    for (int i = 3; i <= 30; ++i)
        avg.Add(20.0f);
    EXPECT_EQ(avg.count, 30);
    EXPECT_EQ(avg.index, 0);
    EXPECT_NEAR(avg.average, (10.0f + 29 * 20.0f) / 30.0f, 1e-4);
}

TEST(RunningAverage, FromTheThirtyFirstSampleOnlyTheLastThirtyCount)
{
    CRunningAverage avg(30);
    for (int i = 0; i < 30; ++i)
        avg.Add(1000.0f);
    for (int i = 0; i < 30; ++i)
        avg.Add(60.0f);
    EXPECT_EQ(avg.count, 30);
    EXPECT_NEAR(avg.average, 60.0f, 1e-3);
    avg.Add(90.0f);
    EXPECT_NEAR(avg.average, 61.0f, 1e-3);
}
