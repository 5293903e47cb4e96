// LogLine: formatted lines on standard output until a write fails, then one word on standard error.
#include "app/StdoutLog.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::atomic<bool> Stopped{false};

} // namespace

void LogLineV(const char* format, va_list args)
{
    if (Stopped)
        return;
    errno = 0;
    const int written = vprintf(format, args);
    const int flushed = fflush(stdout);
    if (written >= 0 && flushed == 0 && !ferror(stdout))
        return;
    const int error = errno;
    if (Stopped.exchange(true))
        return;
    // Standard error may be gone too; then there is no one to tell.
    fprintf(stderr, "baizeline: standard output failed (%s); the game goes on without its log\n",
            error ? strerror(error) : "write error");
    fflush(stderr);
}

void LogLine(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    LogLineV(format, args);
    va_end(args);
}
