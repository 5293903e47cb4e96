// CRunningAverage: a fixed window of float samples with an incremental sum.
#include "app/RunningAverage.h"

CRunningAverage::CRunningAverage(int capacity_)
    : count(0), capacity(capacity_ > 0 ? capacity_ : 1), index(0), sum(0.0f),
      samples(new float[capacity]()), average(0.0f)
{
}

CRunningAverage::~CRunningAverage()
{
    delete[] samples;
}

void CRunningAverage::Add(float sample)
{
    if (count >= capacity)
        sum -= samples[index]; // the oldest sample leaves the window
    samples[index] = sample;
    if (count < capacity)
        ++count;
    sum += sample;
    if (++index == capacity)
        index = 0;
    average = sum / count;
}
