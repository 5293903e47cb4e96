// Pointer wrapping and relative-motion filtering for the grabbed mouse.
#include "app/MouseInput.h"

#include <SDL.h>

#include <cstdlib>

static unsigned char SdlRelativeMouse(int* dx, int* dy)
{
    return SDL_GetRelativeMouseState(dx, dy);
}

RelativeMouseSource GetRelativeMouse = SdlRelativeMouse;

// Bounds of the stored pointer position while grabbed, pixels.
static const int WrapLow = 20;
static const int WrapHighX = 620;
static const int WrapHighY = 460;
// Larger single readings come from SDL re-centring the pointer, not from the hand.
static const int SpikeX = 500;
static const int SpikeY = 400;

static int Wrap(int v, int high)
{
    if (v > high)
        v = WrapLow;
    if (v < WrapLow)
        v = high;
    return v;
}

void OnMouseMotion(CMouse& mouse, int x, int y)
{
    mouse.x = x;
    mouse.y = y;
    if (!mouse.grabbed)
        return;
    mouse.x = Wrap(mouse.x, WrapHighX);
    mouse.y = Wrap(mouse.y, WrapHighY);
    GetRelativeMouse(&mouse.dx, &mouse.dy);
    if (std::abs(mouse.dx) > SpikeX)
        mouse.dx = 0;
    if (std::abs(mouse.dy) > SpikeY)
        mouse.dy = 0;
}
