// NotRegularFile: whether a path names a pipe, a terminal, a device or a directory.
#pragma once

#include <sys/stat.h>

// True when `path` exists and is not a regular file. Loaders refuse such paths
// before opening them: a model may name its textures, so a hostile one can name
// a pipe or "/dev/stdin", and opening or reading those waits for a writer that
// never comes, hanging the game at start-up. A missing path answers false, so
// the caller's own open reports it as missing.
inline bool NotRegularFile(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && !S_ISREG(info.st_mode);
}
