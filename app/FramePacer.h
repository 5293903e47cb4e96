// CFramePacer: holds the frame rate to [Display] MaxFps by sleeping, not spinning, until each frame
// is due.
#pragma once

// The clock and the sleep are handed in, so a test can run the pacer on a
// made-up clock; the game gives it MonotonicSeconds and SleepSeconds.
class CFramePacer {
public:
    using Clock = double (*)(void* user);              // seconds, monotonic
    using Sleeper = void (*)(void* user, double secs); // sleeps about that long

    // `maxFps` 0 (or below, or not a number) paces nothing: every frame is due at once.
    CFramePacer(double maxFps, Clock clock, Sleeper sleeper, void* user = nullptr);

    bool On() const { return period > 0.0; }
    // Before a frame begins: sleeps until it is due, then sets when the next
    // one is. Frames are due on a steady cadence, so a sleep that overshoots is
    // taken from the next one's; a frame late by more than a period starts the
    // cadence afresh instead of rushing frames out to catch up.
    void WaitForFrame();
    double Period() const { return period; }

private:
    double period; // seconds between frames; 0 when off
    double due;    // monotonic seconds when the next frame may begin
    bool started;
    Clock clock;
    Sleeper sleeper;
    void* user;
};

// The real clock and sleep for the game: CLOCK_MONOTONIC, nanosleep.
double PacerClock(void* user);
void PacerSleep(void* user, double secs);
