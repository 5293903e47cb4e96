// CFrameCounter: a file mapped shared, holding the number of presented frames.
#include "app/FrameCounter.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

CFrameCounter::CFrameCounter(const char* path)
{
    if (!path || !*path)
        return;
    // Not truncated on opening: a reader that has mapped the file from an
    // earlier run would fault on a page past its end. Sized once, never shrunk.
    const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 || ftruncate(fd, sizeof(uint64_t)) != 0) {
        fprintf(stderr, "baizeline: no frame counter in '%s': %s\n", path, strerror(errno));
        if (fd >= 0)
            close(fd);
        return;
    }
    void* map = mmap(nullptr, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    const int error = errno;
    close(fd); // the mapping keeps the file
    if (map == MAP_FAILED) {
        fprintf(stderr, "baizeline: no frame counter in '%s': %s\n", path, strerror(error));
        return;
    }
    count = static_cast<uint64_t*>(map);
    __atomic_store_n(count, 0, __ATOMIC_RELEASE); // an earlier run's count is not this one's
}

CFrameCounter::~CFrameCounter()
{
    if (count)
        munmap(count, sizeof(uint64_t));
}

void CFrameCounter::Presented()
{
    if (count)
        __atomic_store_n(count, ++frames, __ATOMIC_RELEASE);
}
