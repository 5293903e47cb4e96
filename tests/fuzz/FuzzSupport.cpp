// Fuzz support: the GL window the drawing targets need and the scratch file each input goes through.
#include "tests/fuzz/FuzzSupport.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

void OpenFuzzWindow(const char* target)
{
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !SDL_SetVideoMode(64, 64, 0, SDL_OPENGL)) {
        fprintf(stderr, "%s needs an X display with GL: %s\n", target, SDL_GetError());
        exit(1);
    }
}

std::string FuzzInputPath(const char* target, const char* suffix)
{
    char name[96];
    snprintf(name, sizeof name, "/tmp/baizeline-%s-%d%s", target, static_cast<int>(getpid()),
             suffix);
    return name;
}

bool WriteFuzzInput(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && written;
}
