// Test support: runs the game binary (or any program) as a child and drives X with xdotool.
#pragma once

#include <string>
#include <vector>

class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess(); // kills a child still running
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // Starts `argv[0]` in `workDir`, standard output and error going to the two files.
    bool Start(const std::vector<std::string>& argv, const std::string& workDir,
               const std::string& outFile, const std::string& errFile);
    // Waits up to `seconds` for the child to end. True when it ended (now or
    // before); `exitCode` then holds its exit status, or 128 + signal when a
    // signal ended it.
    bool Wait(double seconds, int* exitCode);
    // True while the child started last has not ended: a wait on what it
    // shows can give up at once when it has.
    bool Running();
    void Kill();
    // Sends `signal` to a child still running; false when there is none.
    bool Signal(int signal);

private:
    int pid = -1;
    int status = -1; // of the child that ended, as Wait reports it; -1 while none has
};

// Runs `argv` in `workDir` to its end, standard output and error going to
// workDir/out.txt and workDir/err.txt. Answers its exit status, or -1 when it
// did not start or was still running after `seconds` (it is then killed).
int RunToEnd(const std::vector<std::string>& argv, const std::string& workDir, double seconds);

// Output of a shell command (standard output only), trailing newline removed.
std::string RunCommand(const std::string& command);

// Waits until a window whose name matches the regular expression exists; answers
// its X id, or "" after `seconds`.
std::string WaitForWindow(const std::string& nameRegex, double seconds);

// The whole content of a file ("" when it cannot be read).
std::string ReadFile(const std::string& path);

// How often `line` occurs in the file at `path` (a game's log, say).
int CountInFile(const std::string& path, const std::string& line);
// Waits up to `seconds` for `line` to occur `times` times in the file at `path`:
// a black-box run waits on what the game logs, not on fixed pauses, so slow
// frames (the sanitizer build) do not race it.
bool WaitForInFile(const std::string& path, const std::string& line, int times, double seconds);
