// LogEvent: lines on standard output until a write fails, then one word on standard error.
#include "game/EventLog.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

std::atomic<bool> Stopped{false};

} // namespace

void LogEvent(const char* format, ...)
{
    if (Stopped)
        return;
    errno = 0;
    va_list args;
    va_start(args, format);
    const int written = vprintf(format, args);
    va_end(args);
    const int ended = fputc('\n', stdout);
    const int flushed = fflush(stdout);
    if (written >= 0 && ended != EOF && flushed == 0 && !ferror(stdout))
        return;
    const int error = errno;
    if (Stopped.exchange(true))
        return;
    // Standard error may be gone too; then there is no one to tell.
    fprintf(stderr, "baizeline: standard output failed (%s); the game goes on without its log\n",
            error ? strerror(error) : "write error");
    fflush(stderr);
}
