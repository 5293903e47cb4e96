// KeepFreedHeap: the C library's heap keeps what the renderer frees each frame instead of returning it to the kernel.
#include "app/HeapTuning.h"

#include <malloc.h>

bool KeepFreedHeap()
{
    // Either setting also stops glibc's own adjusting of the other.
    const bool trim = mallopt(M_TRIM_THRESHOLD, HeapTrimThreshold) == 1;
    const bool mmap = mallopt(M_MMAP_THRESHOLD, HeapMmapThreshold) == 1;
    return trim && mmap;
}
