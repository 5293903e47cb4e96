// Test support: an SDL OpenGL window that gives tests a current GL context.
#include "tests/support/GlWindow.h"

#include <GL/gl.h>
#include <SDL.h>

#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstdlib>

static int PinObject(struct dl_phdr_info* info, size_t, void*)
{
    if (info->dlpi_name && info->dlpi_name[0])
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

// Tests reopen the window after SDL_Quit, and SDL unloads the GL driver each
// time. LeakSanitizer then finds the driver's own allocations with frames in
// unmapped code it cannot name (nor suppress by library). Every library the
// first window brought in therefore stays loaded for the life of the process.
static void PinLoadedLibraries()
{
    static bool pinned = false;
    if (!pinned)
        dl_iterate_phdr(PinObject, nullptr);
    pinned = true;
}

bool EnsureGlWindow(int width, int height)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen && screen->w == width && screen->h == height)
        return true;
    // Never fall back to a text-terminal driver: tests want a real GL context.
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_Init(SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(width, height, 0, SDL_OPENGL)) {
        fprintf(stderr, "SDL_SetVideoMode failed: %s\n", SDL_GetError());
        return false;
    }
    PinLoadedLibraries();
    glViewport(0, 0, width, height);
    // SDL's own set-up may leave a GL error behind; tests check for their own.
    while (glGetError() != GL_NO_ERROR) {
    }
    return true;
}

Rgb ReadPixel(int x, int y)
{
    unsigned char px[4] = {0, 0, 0, 0};
    // The default read buffer is where drawing goes (the back buffer, or the
    // framebuffer object some SDL builds draw into), so it is left alone.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, px);
    return Rgb{px[0], px[1], px[2]};
}
