// The frame cap on a made-up clock: the rate it holds, that it never spins, and how it meets a late
// frame.
#include <gtest/gtest.h>

#include <vector>

#include "app/FramePacer.h"

namespace {

// A clock that moves only when the game "works" or the pacer sleeps.
struct FakeTime {
    double now = 100.0;     // seconds
    double oversleep = 0.0; // seconds every sleep runs past what was asked, as a busy system's does
    int clockReads = 0;
    std::vector<double> sleeps;
};

double FakeClock(void* user)
{
    auto* t = static_cast<FakeTime*>(user);
    ++t->clockReads;
    return t->now;
}

void FakeSleep(void* user, double secs)
{
    auto* t = static_cast<FakeTime*>(user);
    t->sleeps.push_back(secs);
    t->now += secs + t->oversleep;
}

// Runs `frames` frames whose work takes work(i) seconds; answers the frames
// per second from the first frame's start to the last one's.
template <class Work> double RunFrames(CFramePacer& pacer, FakeTime& t, int frames, Work work)
{
    double first = 0.0, last = 0.0;
    for (int i = 0; i < frames; ++i) {
        pacer.WaitForFrame();
        if (i == 0)
            first = t.now;
        last = t.now;
        t.now += work(i);
    }
    return (frames - 1) / (last - first);
}

} // namespace

TEST(FramePacer, HoldsTheCapWithinTenPercentWhateverTheWorkAndTheSleepsOvershoot)
{
    for (double cap : {30.0, 60.0, 144.0, 250.0}) {
        for (double oversleep : {0.0, 0.0002, 0.001}) {
            FakeTime t;
            t.oversleep = oversleep;
            CFramePacer pacer(cap, FakeClock, FakeSleep, &t);
            // Work from 0.1 to about 3 ms, never regular.
            const double rate =
                RunFrames(pacer, t, 600, [](int i) { return 0.0001 + 0.0003 * (i * 7 % 10); });
            EXPECT_NEAR(rate, cap, cap * 0.10) << "cap " << cap << ", oversleep " << oversleep;
        }
    }
}

TEST(FramePacer, OffItNeitherSleepsNorReadsTheClock)
{
    for (double cap : {0.0, -60.0, 1e9}) {
        FakeTime t;
        CFramePacer pacer(cap, FakeClock, FakeSleep, &t);
        EXPECT_FALSE(pacer.On()) << cap;
        RunFrames(pacer, t, 50, [](int) { return 0.001; });
        EXPECT_TRUE(t.sleeps.empty()) << cap;
        EXPECT_EQ(t.clockReads, 0) << cap;
    }
}

TEST(FramePacer, SlowerThanTheCapItNeverSleeps)
{
    FakeTime t;
    CFramePacer pacer(60.0, FakeClock, FakeSleep, &t);
    const double rate = RunFrames(pacer, t, 100, [](int) { return 0.025; });
    EXPECT_TRUE(t.sleeps.empty());
    EXPECT_NEAR(rate, 40.0, 1e-6);
}

TEST(FramePacer, ALateFrameRestartsTheCadenceInsteadOfRushingFramesOut)
{
    FakeTime t;
    CFramePacer pacer(100.0, FakeClock, FakeSleep, &t);
    // Frame 10 stalls for 200 ms (twenty periods); the rest take 1 ms.
    std::vector<double> starts;
    for (int i = 0; i < 30; ++i) {
        pacer.WaitForFrame();
        starts.push_back(t.now);
        t.now += i == 10 ? 0.2 : 0.001;
    }
    // After the stall, frames come a period apart again, not back to back.
    for (size_t i = 12; i < starts.size(); ++i)
        EXPECT_NEAR(starts[i] - starts[i - 1], 0.01, 1e-9) << "frame " << i;
    // Every sleep is for less than one period: nothing waits for a frame long gone.
    for (double s : t.sleeps)
        EXPECT_LE(s, 0.01 + 1e-12);
}
