// Procedural wood: growth rings seen from the side, warped by noise, plus fine fibres.
#pragma once

#include "tools/assetgen/Colour.h"

#include <cstdint>

struct WoodStyle {
    Colour light;        // early wood
    Colour dark;         // late wood, the ring lines
    int rings = 8;       // ring lines across the tile (along v); whole, so v tiles
    float warp = 0.6f;   // how far the rings wander, in ring spacings
    int warpCellsU = 3;  // noise cells of the wander along the grain
    int warpCellsV = 2;  // and across it
    float fibre = 0.08f; // strength of the fine streaks along the grain
    uint32_t seed = 1;
};

// Wood colour at tile coordinates (u, v) in [0, 1): the grain runs along u.
// Tiles in both directions.
Colour WoodColour(float u, float v, const WoodStyle& style);
