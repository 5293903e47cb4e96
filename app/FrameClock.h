// CFrameClock: an opt-in measurement of a run (BAIZELINE_FRAMES=N): first frame, frame rate, peak memory.
#pragma once

#include <cstdio>
#include <vector>

// Off unless asked for, and then it only counts and reports: the game draws
// exactly as it would otherwise, and quits normally after N presented frames.
class CFrameClock {
public:
    // `frames`: the text of BAIZELINE_FRAMES, or null. Anything but a whole
    // number from 1 on leaves the clock off.
    explicit CFrameClock(const char* frames);

    bool On() const { return limit > 0; }
    // After each presented frame, with the time now in seconds on a monotonic
    // clock and on the wall clock. Answers false once the N-th frame is presented.
    bool Presented(double now, double wallNow);
    // Frames per second from the first presented frame to the latest; 0 before two.
    double Rate() const;
    // The `fraction` quantile (0.5 the median, 0.99 the 99th percentile) of the
    // intervals between presented frames, seconds (nearest rank); 0 before two frames.
    double IntervalQuantile(double fraction) const;
    // The measurement as "baizeline-timing:" lines; the peak resident memory
    // comes from /proc/self/status.
    void Report(FILE* out) const;

    long limit;       // frames to run; 0 when off
    long frames;      // presented so far
    double first;     // monotonic seconds when the first frame was presented
    double last;      // ... the latest
    std::vector<float> intervals; // seconds between presented frames; room for `limit` made up front
};

// Seconds on CLOCK_MONOTONIC and on CLOCK_REALTIME.
double MonotonicSeconds();
double WallSeconds();
