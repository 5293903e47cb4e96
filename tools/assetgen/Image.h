// An 8-bit RGB picture in memory, rows stored top row first.
#pragma once

#include "tools/assetgen/Colour.h"

#include <cstdint>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * height * 3 bytes, R,G,B, top row first

    Image() = default;
    Image(int w, int h, const Colour& fill = Colour{});

    // Stores a colour (components clamped to 0..1, rounded to 8 bits).
    void Set(int x, int y, const Colour& c);
    Colour Get(int x, int y) const;
};

// Copies `src` into `dst` with its top-left corner at (x, y); clipped to `dst`.
void Blit(Image& dst, const Image& src, int x, int y);

// Box-filtered reduction to at most maxWidth by maxHeight, keeping the aspect.
// Pictures that fit already are returned unchanged.
Image ShrinkToFit(const Image& src, int maxWidth, int maxHeight);

// A square picture of `size` pixels, each painted from the texture coordinates
// (u, v) of its centre, 0 to 1 from the top left.
template <typename Paint> Image PaintTile(int size, Paint paint)
{
    Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.Set(x, y, paint((x + 0.5f) / size, (y + 0.5f) / size));
    return image;
}
