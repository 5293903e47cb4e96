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
    // SDL's relative counter empties on every read: the first motion event of a
    // frame takes all the movement since the last read, later ones what came
    // after. The frame's readings add up; Move zeroes the sum once it is used.
    int readDx = 0, readDy = 0;
    GetRelativeMouse(&readDx, &readDy);
    if (std::abs(readDx) <= SpikeX)
        mouse.dx += readDx;
    if (std::abs(readDy) <= SpikeY)
        mouse.dy += readDy;
}
