// Pictures named by the table model's materials.
#include "tools/assetgen/TablePictures.h"

#include "tools/assetgen/Noise.h"
#include "tools/assetgen/WoodGrain.h"

namespace {

Image PaintBaize(int size, Colour baize)
{
    return PaintTile(size, [baize](float u, float v) {
        float nap = FractalNoise(u, v, 128, 128, 1, 51u) - 0.5f;
        float mottle = FractalNoise(u, v, 4, 4, 3, 52u) - 0.5f;
        return Scale(baize, 1.0f + nap * 0.10f + mottle * 0.08f);
    });
}

} // namespace

Image PaintCloth(int size)
{
    return PaintBaize(size, Colour{0.09f, 0.48f, 0.20f});
}

Image PaintPlayCloth(int size)
{
    // CIE dE*ab of at least 49 from each ball's main colour (the 6's green 77).
    return PaintBaize(size, Colour{0.08f, 0.40f, 0.60f});
}

Image PaintRailWood(int size)
{
    WoodStyle mahogany;
    mahogany.light = Colour{0.50f, 0.24f, 0.12f};
    mahogany.dark = Colour{0.27f, 0.10f, 0.05f};
    mahogany.rings = 10;
    mahogany.warp = 0.5f;
    mahogany.warpCellsU = 2;
    mahogany.warpCellsV = 4;
    mahogany.fibre = 0.10f;
    mahogany.seed = 61u;
    return PaintTile(size, [&](float u, float v) { return WoodColour(u, v, mahogany); });
}

Image PaintPocketLeather(int size)
{
    return PaintTile(size, [](float u, float v) {
        const Colour leather{0.09f, 0.07f, 0.06f};
        float pebble = FractalNoise(u, v, 16, 16, 2, 71u) - 0.5f;
        return Scale(leather, 1.0f + pebble * 0.5f);
    });
}

Image PaintSight(int size)
{
    return PaintTile(size, [](float u, float v) {
        const Colour pearl{0.90f, 0.88f, 0.82f};
        const Colour sheen{0.80f, 0.86f, 0.92f};
        return Mix(pearl, sheen, FractalNoise(u, v, 2, 2, 2, 81u));
    });
}
