// EventLog: printf to standard output, a newline, a flush.
#include "game/EventLog.h"

#include <cstdarg>
#include <cstdio>

void LogEvent(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
    fputc('\n', stdout);
    fflush(stdout);
}
