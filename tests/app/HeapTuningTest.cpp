// KeepFreedHeap: large blocks come from the heap and freeing them leaves the heap its size.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "app/HeapTuning.h"

#if defined(__SANITIZE_ADDRESS__)
#define BAIZELINE_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BAIZELINE_OWN_ALLOCATOR 1
#endif
#endif

TEST(HeapTuning, FreedMegabytesStayInTheHeapForTheNextFrame)
{
#ifdef BAIZELINE_OWN_ALLOCATOR
    GTEST_SKIP() << "AddressSanitizer brings its own allocator, which ignores mallopt";
#else
    ASSERT_TRUE(KeepFreedHeap());
    const struct mallinfo2 before = mallinfo2();
    // Bigger than glibc's default mmap threshold (128 KiB) and trim threshold.
    void* block = malloc(4 << 20);
    ASSERT_NE(block, nullptr);
    memset(block, 1, 4 << 20);
    const struct mallinfo2 holding = mallinfo2();
    EXPECT_EQ(holding.hblks, before.hblks) << "the block was mapped on its own";
    free(block);
    const struct mallinfo2 after = mallinfo2();
    EXPECT_GE(after.arena, holding.arena) << "freeing gave the heap's top back to the kernel";
#endif
}
