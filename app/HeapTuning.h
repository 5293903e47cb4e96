// KeepFreedHeap: the C library's heap keeps what the renderer frees each frame instead of returning it to the kernel.
#pragma once

// Mesa's software renderer builds each frame's command store from fresh blocks
// and frees them when the frame is drawn. By default glibc hands the freed top
// of the heap back to the kernel (and serves large blocks with mmap), so every
// frame faults the same memory in again, page by page. Raising both
// thresholds keeps the memory for the next frame. Call once at start-up,
// before the window opens. Answers false when the C library refused either
// setting (the game then runs as before, only slower).
bool KeepFreedHeap();

// The thresholds KeepFreedHeap sets, bytes.
constexpr int HeapTrimThreshold = 64 << 20;
constexpr int HeapMmapThreshold = 32 << 20; // glibc's largest on 64-bit
