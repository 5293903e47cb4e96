// Pointer wrapping and relative-motion filtering for the grabbed mouse.
#pragma once

#include "app/Mouse.h"

// Where the relative motion comes from: SDL_GetRelativeMouseState in the game;
// tests put their own source here to feed known readings.
typedef unsigned char (*RelativeMouseSource)(int* dx, int* dy);
extern RelativeMouseSource GetRelativeMouse;

// A motion event at window pixel (x, y): stores the position, and while grabbed
// wraps it into 20..620 x 20..460 and adds SDL's relative reading to dx/dy,
// dropping a reading's component whose size betrays a pointer warp (|dx| > 500,
// |dy| > 400).
void OnMouseMotion(CMouse& mouse, int x, int y);
