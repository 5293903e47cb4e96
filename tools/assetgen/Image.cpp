// An 8-bit RGB picture in memory, rows stored top row first.
#include "tools/assetgen/Image.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t ToByte(float v)
{
    v = std::clamp(v, 0.0f, 1.0f);
    return static_cast<uint8_t>(std::lround(v * 255.0f));
}

} // namespace

Image::Image(int w, int h, const Colour& fill)
    : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Set(x, y, fill);
}

void Image::Set(int x, int y, const Colour& c)
{
    uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = ToByte(c.r);
    p[1] = ToByte(c.g);
    p[2] = ToByte(c.b);
}

Colour Image::Get(int x, int y) const
{
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return Colour{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
}

void Blit(Image& dst, const Image& src, int x0, int y0)
{
    for (int y = 0; y < src.height; ++y) {
        int dy = y0 + y;
        if (dy < 0 || dy >= dst.height)
            continue;
        for (int x = 0; x < src.width; ++x) {
            int dx = x0 + x;
            if (dx < 0 || dx >= dst.width)
                continue;
            const uint8_t* s = &src.rgb[(static_cast<size_t>(y) * src.width + x) * 3];
            uint8_t* d = &dst.rgb[(static_cast<size_t>(dy) * dst.width + dx) * 3];
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

Image ShrinkToFit(const Image& src, int maxWidth, int maxHeight)
{
    int factor = 1;
    while (src.width / factor > maxWidth || src.height / factor > maxHeight)
        ++factor;
    if (factor == 1)
        return src;
    Image out(src.width / factor, src.height / factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Colour sum;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i)
                    sum = Add(sum, src.Get(x * factor + i, y * factor + j));
            out.Set(x, y, Scale(sum, 1.0f / (factor * factor)));
        }
    }
    return out;
}
