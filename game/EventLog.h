// EventLog: the one place the game's event lines go to standard output.
#pragma once

// One line (printf format; the line feed is added) on standard output, flushed
// at once: the player's terminal and the black-box tests read each event as it
// happens. The first write that fails (the reader closed the pipe: `baizeline
// | head -1`, a log pipe that died; a full disk) ends the log: one line on
// standard error says so, nothing more goes to standard output, and the game
// plays on. Safe from any thread.
void LogEvent(const char* format, ...) __attribute__((format(printf, 1, 2)));
