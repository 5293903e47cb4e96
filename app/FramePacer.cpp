// CFramePacer: holds the frame rate to [Display] MaxFps by sleeping, not spinning, until each frame
// is due.
#include "app/FramePacer.h"

#include <cerrno>
#include <cmath>
#include <ctime>

#include "app/FrameClock.h"

CFramePacer::CFramePacer(double maxFps, Clock clockFn, Sleeper sleepFn, void* userData)
    : period(0.0), due(0.0), started(false), clock(clockFn), sleeper(sleepFn), user(userData)
{
    // A rate past 100,000 fps is a period under 10 µs: below what a sleep can
    // hold, and no different from uncapped.
    if (std::isfinite(maxFps) && maxFps > 0.0 && maxFps <= 100000.0 && clock && sleeper)
        period = 1.0 / maxFps;
}

void CFramePacer::WaitForFrame()
{
    if (!On())
        return;
    const double now = clock(user);
    if (!started) {
        started = true;
        due = now;
    }
    if (now < due)
        sleeper(user, due - now);
    else if (now - due > period)
        due = now;
    due += period;
}

double PacerClock(void*)
{
    return MonotonicSeconds();
}

void PacerSleep(void*, double secs)
{
    if (!(secs > 0.0))
        return;
    timespec rest{};
    rest.tv_sec = static_cast<time_t>(secs);
    rest.tv_nsec = static_cast<long>((secs - static_cast<double>(rest.tv_sec)) * 1e9);
    // A signal cuts the sleep short; the rest is slept, so the cap still holds.
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}
