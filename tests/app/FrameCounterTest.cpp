// The frame counter as a test reads it: the count written, and a reader polling while the game
// restarts.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/FrameCounter.h"
#include "tests/support/GameWatch.h"
#include "tests/support/TempDir.h"

namespace {

TEST(FrameCounter, ReadsTheFramesPresentedAndZeroBeforeTheGameStarts)
{
    CTempDir dir;
    const std::string path = dir.Path() + "/frames";
    EXPECT_EQ(FramesPresented(path), 0u);
    CFrameCounter counter(path.c_str());
    ASSERT_TRUE(counter.On());
    for (int i = 0; i < 5; ++i)
        counter.Presented();
    EXPECT_EQ(FramesPresented(path), 5u);
    CFrameCounter off(nullptr);
    EXPECT_FALSE(off.On());
    off.Presented(); // does nothing, and nothing to crash on
}

// A test keeps reading the file while the game it watches ends and starts
// again on the same file: the reader must never fault (a mapped page past the
// file's end raises SIGBUS), and a new run counts from zero.
TEST(FrameCounter, AReaderPollingWhileTheGameRestartsOnTheSameFileNeverFaults)
{
    CTempDir dir;
    const std::string path = dir.Path() + "/frames";
    std::atomic<bool> done{false};
    std::atomic<long> reads{0};
    std::atomic<uint64_t> most{0};
    std::thread reader([&] {
        for (; !done; ++reads)
            most = std::max<uint64_t>(most, FramesPresented(path));
    });
    while (reads == 0)
        std::this_thread::yield();
    for (int run = 0; run < 2000; ++run) {
        CFrameCounter counter(path.c_str());
        ASSERT_TRUE(counter.On());
        EXPECT_EQ(FramesPresented(path), 0u) << "run " << run;
        counter.Presented();
        counter.Presented();
    }
    done = true;
    reader.join();
    EXPECT_GT(reads.load(), 1000) << "the reader kept pace with the restarts";
    EXPECT_LE(most.load(), 2u);
}

} // namespace
