// Display gamma ramps: a power curve with a lifted black level, and saving and restoring the display's ramp.
#pragma once

#include <SDL.h>

// A ramp is 256 entries per channel: index = input level 0..255, value = output
// intensity 0..65535.
static const int GammaRampSize = 256;

// The display's ramp calls, SDL_SetGammaRamp and SDL_GetGammaRamp unless a test
// puts its own here. Both answer 0 on success, -1 on failure.
typedef int (*GammaRampSetter)(const Uint16* red, const Uint16* green, const Uint16* blue);
typedef int (*GammaRampGetter)(Uint16* red, Uint16* green, Uint16* blue);
extern GammaRampSetter SetDisplayGammaRamp;
extern GammaRampGetter GetDisplayGammaRamp;

// The ramp SaveGammaTable read and RestoreGammaTable puts back.
extern Uint16 red[GammaRampSize];
extern Uint16 green[GammaRampSize];
extern Uint16 blue[GammaRampSize];

// gamma > 0: sets the curve level^(1/gamma) squeezed into weariness..1 on all
// three channels. gamma <= 0 or NaN: lifts the display's current ramp by
// weariness instead, or leaves it alone when weariness is 0. Answers the setter's
// result, -1 when the current ramp cannot be read, 0 when nothing was to change.
int SetGammaTable(float weariness, float gamma);

// Reads the display's ramp into red, green, blue; answers the getter's result.
int SaveGammaTable();
// Sets the display's ramp from red, green, blue; answers the setter's result.
int RestoreGammaTable();
