// CFrameClock: an opt-in measurement of a run (BAIZELINE_FRAMES=N): first frame, frame rate, peak memory.
#include "app/FrameClock.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>

CFrameClock::CFrameClock(const char* text) : limit(0), frames(0), first(0.0), last(0.0)
{
    if (!text || !*text)
        return;
    char* end = nullptr;
    errno = 0;
    const long n = strtol(text, &end, 10);
    if (errno == 0 && *end == '\0' && n > 0)
        limit = n;
    // Reserved now so that no frame of the measured run pays for a reallocation;
    // a limit too large to hold measures no intervals rather than failing.
    if (limit > 0 && limit <= 10000000)
        intervals.reserve(static_cast<size_t>(limit));
}

bool CFrameClock::Presented(double now, double wallNow)
{
    if (!On())
        return true;
    if (frames == 0) {
        first = now;
        // Said at once, so a script driving the game knows the loop is running;
        // the wall clock lets it measure start-up from outside.
        fprintf(stderr, "baizeline-timing: first frame presented at %.6f\n", wallNow);
        fflush(stderr);
    } else if (intervals.size() < intervals.capacity()) {
        intervals.push_back(static_cast<float>(now - last));
    }
    last = now;
    return ++frames < limit;
}

double CFrameClock::Rate() const
{
    return frames > 1 && last > first ? double(frames - 1) / (last - first) : 0.0;
}

double CFrameClock::IntervalQuantile(double fraction) const
{
    if (intervals.empty())
        return 0.0;
    std::vector<float> sorted(intervals);
    std::sort(sorted.begin(), sorted.end());
    const double f = std::clamp(fraction, 0.0, 1.0);
    const size_t rank = static_cast<size_t>(std::ceil(f * static_cast<double>(sorted.size())));
    return sorted[rank == 0 ? 0 : rank - 1];
}

// VmHWM of /proc/self/status, kB; -1 when it cannot be read.
static long PeakResidentKb()
{
    FILE* f = fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmHWM:", 6) == 0)
            kb = strtol(line + 6, nullptr, 10);
    fclose(f);
    return kb;
}

void CFrameClock::Report(FILE* out) const
{
    fprintf(out, "baizeline-timing: %ld frames in %.3f s after the first: %.1f fps\n", frames,
            last - first, Rate());
    fprintf(out, "baizeline-timing: frame time median %.3f ms, 99th percentile %.3f ms\n",
            1000.0 * IntervalQuantile(0.5), 1000.0 * IntervalQuantile(0.99));
    fprintf(out, "baizeline-timing: peak resident memory %ld kB\n", PeakResidentKb());
}

static double Seconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double MonotonicSeconds()
{
    return Seconds(CLOCK_MONOTONIC);
}

double WallSeconds()
{
    return Seconds(CLOCK_REALTIME);
}
