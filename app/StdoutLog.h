// The game's event log on standard output, which stops for good when the reader goes away.
#pragma once

#include <cstdarg>

// Writes `format` (its own line feed included) to standard output and flushes
// it, so that a reader sees each event as it happens. The first write that
// fails (the reader closed the pipe: `baizeline | head -1`, a log pipe that
// died; a full disk) ends the log: one line on standard error says so, and
// nothing is written to standard output after it. The game plays on.
void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
void LogLineV(const char* format, va_list args);
