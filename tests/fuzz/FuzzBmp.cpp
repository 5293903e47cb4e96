// Fuzz target: arbitrary bytes as a BMP, through the texture loader under a real GL context.
#include <SDL.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "scene/Texture.h"

static std::string path;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !SDL_SetVideoMode(64, 64, 0, SDL_OPENGL)) {
        fprintf(stderr, "FuzzBmp needs an X display with GL: %s\n", SDL_GetError());
        exit(1);
    }
    char name[64];
    snprintf(name, sizeof name, "/tmp/baizeline-fuzz-bmp-%d.bmp", static_cast<int>(getpid()));
    path = name;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    try {
        CTexture texture(path);
    } catch (const std::runtime_error&) {
        // Refusing a damaged picture is the expected outcome.
    }
    return 0;
}
