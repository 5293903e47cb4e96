// X error and connection-loss handlers: noted and said once; the frame loop then closes the game.
#include "app/XErrors.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <atomic>
#include <cstdio>

namespace {

// Xlib calls the handlers on whichever thread made the failing call: the
// frame loop's, or SDL's audio and event threads in principle.
std::atomic<bool> Lost{false};
std::atomic<bool> Said{false};

void SayOnce(const char* what)
{
    if (Said.exchange(true))
        return;
    fprintf(stderr, "baizeline: %s; closing the game\n", what);
    fflush(stderr);
}

// A protocol error: most often a request on the game's window after something
// outside destroyed it (BadDrawable from the buffer swap). Handlers must not
// talk to the server; XGetErrorText reads Xlib's local table.
int OnXError(Display* display, XErrorEvent* event)
{
    Lost = true;
    if (Said)
        return 0;
    char name[96] = "";
    XGetErrorText(display, event->error_code, name, sizeof name);
    char line[256];
    snprintf(line, sizeof line,
             "the X server refused a request on the game's window (%s, request %d.%d)", name,
             event->request_code, event->minor_code);
    SayOnce(line);
    return 0;
}

int OnXIOError(Display* display)
{
    Lost = true;
    char line[256];
    snprintf(line, sizeof line, "lost the connection to the X display %s",
             display ? DisplayString(display) : "");
    SayOnce(line);
    return 0;
}

// Xlib's default here calls exit(1). Returning instead leaves the display
// marked broken: every later call on it returns at once, so the rest of the
// frame and SDL's own shut-down run without a server.
void KeepRunningAfterIOError(Display*, void*)
{}

} // namespace

void CatchXErrors()
{
    XSetErrorHandler(OnXError);
}

void CatchXDisconnect()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11)
        return; // not on X: nothing to watch
    XSetIOErrorHandler(OnXIOError);
    // SDL talks to the server over two connections: events and window
    // management on one, drawing on the other.
    Display* displays[2] = {info.info.x11.display, info.info.x11.gfxdisplay};
    for (Display* display : displays)
        if (display)
            XSetIOErrorExitHandler(display, KeepRunningAfterIOError, nullptr);
}

bool XDisplayLost()
{
    return Lost;
}

bool GrabX11Pointer()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
        return true;
    info.info.x11.lock_func();
    const int result =
        XGrabPointer(info.info.x11.display, info.info.x11.window, True, 0, GrabModeAsync,
                     GrabModeAsync, info.info.x11.window, None, CurrentTime);
    info.info.x11.unlock_func();
    return result == GrabSuccess;
}
