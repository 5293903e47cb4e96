// Test support: waits on what a running game shows: its frame counter and its window at its size.
#pragma once

#include <cstdint>
#include <string>

class CChildProcess;

// Frames presented by a game started with BAIZELINE_FRAME_COUNTER=path; 0
// before the first, or when the file is not there (yet).
uint64_t FramesPresented(const std::string& path);
// Waits up to `seconds` for the count to reach `frames`; true when it did.
// With `game`, gives up as soon as that process has ended.
bool WaitForFrames(const std::string& path, uint64_t frames, double seconds,
                   CChildProcess* game = nullptr);

// Waits until a mapped window whose name matches `nameRegex` is `width` ×
// `height`, and answers its X id, or "" after `seconds`. SDL makes a small
// window of the same name first and replaces it, and the game's own is mapped
// before it takes its size: a window found by name alone may be neither the
// game's nor at its size yet.
std::string WaitForWindowOfSize(const std::string& nameRegex, int width, int height, double seconds,
                                CChildProcess* game = nullptr);
// The size of a window as "WxH", or "" when it is gone.
std::string WindowSize(const std::string& id);
