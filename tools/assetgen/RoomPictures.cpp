// The room's wall, floor and ceiling pictures, all tileable and kept dim so the
// lit table stands out against them.
#include "tools/assetgen/RoomPictures.h"

#include "tools/assetgen/Noise.h"
#include "tools/assetgen/WoodGrain.h"

#include <algorithm>
#include <cmath>

namespace {

// Distance from u to the nearest multiple of `period`, in the units of u.
float DistanceToGrid(float u, float period)
{
    float m = std::fmod(u, period);
    return std::min(m, period - m);
}

Colour WallAt(float u, float v)
{
    const Colour wide{0.20f, 0.27f, 0.22f};
    const Colour narrow{0.15f, 0.20f, 0.17f};
    const Colour pin{0.32f, 0.30f, 0.20f};
    const float pair = 0.25f; // four stripe pairs per tile
    float inPair = std::fmod(u, pair) / pair;
    Colour c = inPair < 0.68f ? wide : narrow;
    // Soft pin lines, about 4 px wide, at both edges of the narrow stripe: the
    // game draws without mipmaps, so hard thin lines would shimmer far away.
    float edge = std::min(std::fabs(inPair - 0.68f), std::min(inPair, 1.0f - inPair)) * pair;
    c = Mix(c, pin, std::max(0.0f, 1.0f - edge / 0.008f));
    // A faint woven paper texture and slow cloudiness.
    float paper = FractalNoise(u, v, 64, 64, 2, 11u) - 0.5f;
    float cloud = FractalNoise(u, v, 4, 2, 3, 12u) - 0.5f;
    return Scale(c, 1.0f + paper * 0.12f + cloud * 0.10f);
}

Colour FloorAt(float u, float v)
{
    const int boards = 8;
    int row = std::min(boards - 1, static_cast<int>(v * boards));
    float across = v * boards - row; // 0..1 across the board
    float joint = HashUnit(static_cast<uint32_t>(row), 0u, 21u);
    WoodStyle oak;
    oak.light = Colour{0.32f, 0.21f, 0.11f};
    oak.dark = Colour{0.19f, 0.11f, 0.06f};
    oak.rings = 24;
    oak.warp = 1.2f;
    oak.warpCellsU = 2;
    oak.warpCellsV = 8;
    oak.seed = 30u + static_cast<uint32_t>(row);
    // Shift each board's grain so neighbours do not line up.
    Colour c = WoodColour(std::fmod(u + joint, 1.0f), v, oak);
    float tone = 0.85f + 0.3f * HashUnit(static_cast<uint32_t>(row), 1u, 22u);
    c = Scale(c, tone);
    // Dark seams between boards and at each board's butt joint.
    float seamAcross = std::min(across, 1.0f - across) / boards; // in tile units
    float seamAlong = DistanceToGrid(u - joint + 1.0f, 1.0f);
    if (seamAcross < 0.003f || seamAlong < 0.003f)
        c = Scale(c, 0.55f);
    return c;
}

Colour CeilingAt(float u, float v)
{
    const Colour plaster{0.30f, 0.285f, 0.255f};
    float border = std::min(DistanceToGrid(u, 1.0f), DistanceToGrid(v, 1.0f));
    float grain = FractalNoise(u, v, 32, 32, 3, 41u) - 0.5f;
    Colour c = Scale(plaster, 1.0f + grain * 0.10f);
    if (border < 0.02f)
        return Scale(plaster, 0.45f); // the grid between panels
    if (border < 0.05f)
        return Scale(c, 0.80f); // the panel's bevel, in shade
    return c;
}

} // namespace

Image PaintWall(int size)
{
    return PaintTile(size, WallAt);
}

Image PaintFloor(int size)
{
    return PaintTile(size, FloorAt);
}

Image PaintCeiling(int size)
{
    return PaintTile(size, CeilingAt);
}
