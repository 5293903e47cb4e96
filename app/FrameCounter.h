// CFrameCounter: the frames presented so far, kept in a file for tests (BAIZELINE_FRAME_COUNTER).
#pragma once

#include <cstdint>

// A black-box test that checks a screen or a quiet log needs to know that the
// game has drawn since its last input, however slow the build draws: it waits
// for the count to move, not for a fixed time. The count is one unsigned
// 64-bit number in the machine's byte order at the start of the file, stored
// with an atomic write to a shared mapping: no system call per frame.
class CFrameCounter {
public:
    // `path`: the text of BAIZELINE_FRAME_COUNTER, or null. Null or "" leaves
    // the counter off; a file that cannot be made is said once on standard
    // error and leaves it off too.
    explicit CFrameCounter(const char* path);
    ~CFrameCounter();
    CFrameCounter(const CFrameCounter&) = delete;
    CFrameCounter& operator=(const CFrameCounter&) = delete;

    bool On() const { return count != nullptr; }
    // After each presented frame.
    void Presented();

private:
    uint64_t* count = nullptr; // the shared mapping
    uint64_t frames = 0;
};
