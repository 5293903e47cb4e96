// Fuzz target: arbitrary bytes as the overlay font, loaded through FreeType and printed under a real GL context.
#include <GL/gl.h>
#include <SDL.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "text/FreeFont.h"

static std::string path;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !SDL_SetVideoMode(64, 64, 0, SDL_OPENGL)) {
        fprintf(stderr, "FuzzFont needs an X display with GL: %s\n", SDL_GetError());
        exit(1);
    }
    char name[64];
    snprintf(name, sizeof name, "/tmp/baizeline-fuzz-font-%d.ttf", static_cast<int>(getpid()));
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
    CFreeFont font;
    try {
        font.Load(path.c_str(), 10);
        // Every code the font has a list for, over two lines, as the overlays print.
        char all[CFreeFont::GlyphCount];
        for (int c = 1; c < CFreeFont::GlyphCount; ++c)
            all[c - 1] = static_cast<char>(c);
        all[CFreeFont::GlyphCount - 1] = '\0';
        font.Print(0.0f, 50.0f, "%s", all);
        font.Print(0.0f, 30.0f, "%.1f\nLights = %i ", 59.9, 4);
        glFinish();
    } catch (const std::runtime_error&) {
        // Refusing a damaged font is the expected outcome.
    }
    font.Clean();
    return 0;
}
