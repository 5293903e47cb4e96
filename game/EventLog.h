// EventLog: the one place the game's event lines go to standard output.
#pragma once

// One line (printf format, no newline needed) on standard output, flushed at
// once: the player's terminal and the black-box tests read it as it happens.
void LogEvent(const char* format, ...) __attribute__((format(printf, 1, 2)));
