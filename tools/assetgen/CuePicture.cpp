// cue.bmp: the cue unrolled, tip at the left, butt at the right.
#include "tools/assetgen/CuePicture.h"

#include "tools/assetgen/CueLayout.h"
#include "tools/assetgen/Noise.h"
#include "tools/assetgen/WoodGrain.h"

#include <cmath>

namespace {

const Colour kIvory{0.93f, 0.91f, 0.84f};
const Colour kEbony{0.10f, 0.07f, 0.05f};

Colour TipAt(float u, float v)
{
    const Colour chalk{0.24f, 0.42f, 0.72f};
    return Scale(chalk, 0.8f + 0.4f * FractalNoise(u * 8.0f, v, 8, 4, 2, 91u));
}

Colour ShaftAt(float u, float v)
{
    WoodStyle maple;
    maple.light = Colour{0.93f, 0.83f, 0.63f};
    maple.dark = Colour{0.80f, 0.66f, 0.44f};
    maple.rings = 3;
    maple.warp = 0.3f;
    maple.fibre = 0.05f;
    maple.seed = 92u;
    return WoodColour(u * 3.0f, v, maple);
}

// Four ebony points reaching from the wrap toward the tip (two in the picture,
// mirrored round the cue by the model), with a thin ivory veneer around them.
Colour ForearmAt(float u, float v, float uStart, float uEnd)
{
    WoodStyle birdseye;
    birdseye.light = Colour{0.86f, 0.70f, 0.45f};
    birdseye.dark = Colour{0.66f, 0.46f, 0.25f};
    birdseye.rings = 5;
    birdseye.seed = 93u;
    Colour wood = WoodColour(u * 4.0f, v, birdseye);
    float along = (u - uStart) / (uEnd - uStart); // 0 toward the tip, 1 at the wrap
    float reach = (along - 0.18f) / 0.82f;       // the points start 18 % in
    if (reach <= 0.0f)
        return wood;
    float halfWidth = 0.22f * reach;
    float off = std::fmin(std::fabs(v - 0.25f), std::fabs(v - 0.75f));
    if (off < halfWidth)
        return kEbony;
    if (off < halfWidth + 0.03f)
        return kIvory;
    return wood;
}

Colour WrapAt(float u, float v)
{
    const Colour linen{0.09f, 0.11f, 0.20f};
    float weave = std::sin(u * 1400.0f) * std::sin(v * 90.0f);
    return Scale(linen, 1.0f + 0.25f * weave);
}

Colour SleeveAt(float u, float v, float uStart, float uEnd)
{
    float along = (u - uStart) / (uEnd - uStart);
    for (float ring : {0.15f, 0.22f, 0.85f})
        if (std::fabs(along - ring) < 0.025f)
            return kIvory;
    return Scale(kEbony, 1.0f + 0.3f * FractalNoise(u * 8.0f, v, 8, 2, 2, 94u));
}

Colour SectionAt(int index, float u, float v)
{
    const CueSection& s = CueSections()[static_cast<size_t>(index)];
    switch (index) {
    case 0: return TipAt(u, v);
    case 1: return Scale(kIvory, 1.02f);
    case 2: return ShaftAt(u, v);
    case 3: return std::fabs((u - s.u0) / (s.u1 - s.u0) - 0.5f) > 0.38f ? kEbony : kIvory;
    case 4: return ForearmAt(u, v, s.u0, s.u1);
    case 5: return WrapAt(u, v);
    case 6: return SleeveAt(u, v, s.u0, s.u1);
    default: return Colour{0.04f, 0.04f, 0.04f}; // rubber bumper
    }
}

} // namespace

Image PaintCue(int width, int height)
{
    const std::vector<CueSection>& sections = CueSections();
    Image image(width, height);
    for (int x = 0; x < width; ++x) {
        float u = (x + 0.5f) / width;
        int index = 0;
        while (index + 1 < static_cast<int>(sections.size()) && u >= sections[index].u1)
            ++index;
        for (int y = 0; y < height; ++y)
            image.Set(x, y, SectionAt(index, u, (y + 0.5f) / height));
    }
    return image;
}
