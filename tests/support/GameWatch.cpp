// Test support: the game's frame counter read through a shared mapping; windows found at a size.
#include "tests/support/GameWatch.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

#include "tests/support/ChildProcess.h"

uint64_t FramesPresented(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    // Mapped, as the game writes it: an atomic load never sees half a store.
    // Not before the game has sized the file: a load from a mapped page past
    // its end would end this process with SIGBUS. The game never shrinks it.
    struct stat info;
    if (fstat(fd, &info) != 0 || info.st_size < static_cast<off_t>(sizeof(uint64_t))) {
        close(fd);
        return 0;
    }
    void* map = mmap(nullptr, sizeof(uint64_t), PROT_READ, MAP_SHARED, fd, 0);
    close(fd);
    if (map == MAP_FAILED)
        return 0;
    const uint64_t frames = __atomic_load_n(static_cast<const uint64_t*>(map), __ATOMIC_ACQUIRE);
    munmap(map, sizeof(uint64_t));
    return frames;
}

bool WaitForFrames(const std::string& path, uint64_t frames, double seconds, CChildProcess* game)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (FramesPresented(path) < frames) {
        if (std::chrono::steady_clock::now() > deadline || (game && !game->Running()))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string WindowSize(const std::string& id)
{
    const std::string shell =
        RunCommand("xdotool getwindowgeometry --shell " + id + " 2>/dev/null");
    int width = 0, height = 0;
    const size_t at = shell.find("WIDTH=");
    if (at == std::string::npos ||
        sscanf(shell.c_str() + at, "WIDTH=%d\nHEIGHT=%d", &width, &height) != 2)
        return "";
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string WaitForWindowOfSize(const std::string& nameRegex, int width, int height, double seconds,
                                CChildProcess* game)
{
    const std::string want = std::to_string(width) + "x" + std::to_string(height);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        std::istringstream ids(
            RunCommand("xdotool search --onlyvisible --name '" + nameRegex + "' 2>/dev/null"));
        std::string id;
        while (std::getline(ids, id))
            if (!id.empty() && WindowSize(id) == want)
                return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline && !(game && !game->Running()));
    return "";
}
