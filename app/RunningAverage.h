// CRunningAverage: mean of the last `capacity` samples, kept incrementally (the frame-rate display).
#pragma once

class CRunningAverage {
public:
    explicit CRunningAverage(int capacity = 30);
    ~CRunningAverage();
    CRunningAverage(const CRunningAverage&) = delete;
    CRunningAverage& operator=(const CRunningAverage&) = delete;

    // Adds one sample and refreshes `average`. The sum is never recomputed, so
    // float rounding accumulates over a long run; the display shows one decimal.
    void Add(float sample);

    int count;      // samples held so far, never above capacity
    int capacity;   // window size
    int index;      // next slot to write, 0 .. capacity-1
    float sum;      // sum of the held samples
    float* samples; // owned, capacity floats
    float average;  // last computed mean
};
