// Procedural wood: growth rings seen from the side, warped by noise, plus fine fibres.
#include "tools/assetgen/WoodGrain.h"

#include "tools/assetgen/Noise.h"

#include <cmath>

#include "physics/Units.h"

Colour WoodColour(float u, float v, const WoodStyle& style)
{
    // Ring phase: v counts rings, the noise bends them so they wander along u.
    float wander = FractalNoise(u, v, style.warpCellsU, style.warpCellsV, 3, style.seed) - 0.5f;
    float phase = v * style.rings + wander * style.warp * 2.0f;
    float ring = phase - std::floor(phase);
    // Late wood is a narrow dark band with a soft leading edge.
    float late = std::pow(std::max(0.0f, std::sin(ring * Pi)), 6.0f);
    // Fibres: thin streaks, long along the grain (u), short across it (v).
    float fibre = FractalNoise(u, v, 4, 128, 2, style.seed + 7u) - 0.5f;
    float tone = late * 0.85f + fibre * style.fibre * 4.0f;
    return Mix(style.light, style.dark, std::fmin(1.0f, std::fmax(0.0f, tone)));
}
