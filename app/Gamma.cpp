// CGame::ApplyGamma and the display gamma-ramp functions.
#include "app/Gamma.h"

#include <cmath>
#include <cstring>

#include "app/Game.h"

GammaRampSetter SetDisplayGammaRamp = SDL_SetGammaRamp;
GammaRampGetter GetDisplayGammaRamp = SDL_GetGammaRamp;

Uint16 red[GammaRampSize];
Uint16 green[GammaRampSize];
Uint16 blue[GammaRampSize];

// Truncates toward zero and keeps the low 16 bits. Values that no integer holds
// (NaN, or out of range from arguments ApplyGamma would have refused) give 0
// rather than undefined behaviour.
static Uint16 RampEntry(double value)
{
    if (!(std::fabs(value) < 2147483648.0))
        return 0;
    return static_cast<Uint16>(static_cast<long>(value) & 0xFFFF);
}

// Fresh power curve. The single-precision steps are deliberate: they decide the
// last unit of some entries.
static int SetPowerCurve(float weariness, float gamma)
{
    Uint16 ramp[GammaRampSize] = {};
    const double exponent = 1.0 / gamma;
    const float scale = 1.0f - weariness;
    const double offset = weariness;
    for (int i = 1; i < GammaRampSize; ++i) {
        const double level = i / 255.0;
        const float value = static_cast<float>((std::pow(level, exponent) * scale + offset) * 65535.0);
        ramp[i] = RampEntry(value);
    }
    return SetDisplayGammaRamp(ramp, ramp, ramp);
}

// Squeezes the display's ramp into weariness..1; entry 0 and zero entries stay.
static int LiftCurrentRamp(float weariness)
{
    Uint16 r[GammaRampSize] = {}, g[GammaRampSize] = {}, b[GammaRampSize] = {};
    if (GetDisplayGammaRamp(r, g, b) == -1)
        return -1;
    Uint16* channels[3] = {r, g, b};
    for (int i = 1; i < GammaRampSize; ++i) {
        for (Uint16* channel : channels) {
            if (channel[i] != 0)
                channel[i] = RampEntry((channel[i] / 65535.0 * (1.0 - weariness) + weariness) * 65535.0);
        }
    }
    return SetDisplayGammaRamp(r, g, b);
}

int SetGammaTable(float weariness, float gamma)
{
    if (gamma > 0.0f)
        return SetPowerCurve(weariness, gamma);
    if (weariness == 0.0f)
        return 0;
    return LiftCurrentRamp(weariness);
}

int SaveGammaTable()
{
    return GetDisplayGammaRamp(red, green, blue);
}

int RestoreGammaTable()
{
    return SetDisplayGammaRamp(red, green, blue);
}

void CGame::ApplyGamma()
{
    // Written as positive tests so that a NaN fails them.
    const bool gammaInRange = gamma >= 0.0f && gamma <= 10.0f;
    const bool wearinessInRange = weariness >= 0.0f && weariness < 1.0f;
    if (!gammaInRange || !wearinessInRange || !fullScreen)
        return;
    // Gamma 0 with weariness 0 asks for nothing; otherwise keep the display's ramp
    // so that Close can put it back: some drivers leave a ramp in force after
    // the program ends.
    const bool changes = gamma > 0.0f || weariness > 0.0f;
    const bool saved = changes && !gammaSaved && SaveGammaTable() == 0;
    if (SetGammaTable(weariness, gamma) == 0 && saved)
        gammaSaved = true;
}
