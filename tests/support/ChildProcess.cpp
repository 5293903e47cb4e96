// Test support: child processes and xdotool.
#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

CChildProcess::~CChildProcess()
{
    Kill();
}

bool CChildProcess::Start(const std::vector<std::string>& argv, const std::string& workDir,
                          const std::string& outFile, const std::string& errFile)
{
    if (argv.empty())
        return false;
    status = -1;
    pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        if (chdir(workDir.c_str()) != 0)
            _exit(126);
        const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0)
            _exit(126);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    return true;
}

bool CChildProcess::Wait(double seconds, int* exitCode)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (pid > 0) {
        int raw = 0;
        const int r = waitpid(pid, &raw, WNOHANG);
        if (r == pid) {
            pid = -1;
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            break;
        }
        if (r < 0 || std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (status < 0)
        return false; // never started
    if (exitCode)
        *exitCode = status;
    return true;
}

bool CChildProcess::Running()
{
    return !Wait(0.0, nullptr) && pid > 0;
}

void CChildProcess::Kill()
{
    if (pid <= 0)
        return;
    kill(pid, SIGKILL);
    int raw = 0;
    waitpid(pid, &raw, 0);
    pid = -1;
}

bool CChildProcess::Signal(int signal)
{
    return pid > 0 && kill(pid, signal) == 0;
}

int RunToEnd(const std::vector<std::string>& argv, const std::string& workDir, double seconds)
{
    CChildProcess child;
    if (!child.Start(argv, workDir, workDir + "/out.txt", workDir + "/err.txt"))
        return -1;
    int status = -1;
    return child.Wait(seconds, &status) ? status : -1;
}

std::string RunCommand(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::string WaitForWindow(const std::string& nameRegex, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        std::string id = RunCommand("xdotool search --onlyvisible --name '" + nameRegex +
                                    "' 2>/dev/null | head -n 1");
        if (!id.empty())
            return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return "";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountInFile(const std::string& path, const std::string& line)
{
    const std::string text = ReadFile(path);
    int n = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++n;
    return n;
}

bool WaitForInFile(const std::string& path, const std::string& line, int times, double seconds)
{
    for (double t = 0.0; t < seconds; t += 0.1) {
        if (CountInFile(path, line) >= times)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return CountInFile(path, line) >= times;
}
