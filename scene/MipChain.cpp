// HalveRgb: one step down a texture's mipmap chain, a 2x2 box filter over R,G,B bytes.
#include "scene/MipChain.h"

#include <algorithm>

int RgbRowBytes(int width)
{
    return (width * 3 + 3) & ~3;
}

bool HalveRgb(const std::vector<unsigned char>& src, int width, int height,
              std::vector<unsigned char>& dst, int& dstWidth, int& dstHeight)
{
    if (width < 1 || height < 1 || width > 65536 || height > 65536)
        return false;
    const size_t srcRow = static_cast<size_t>(RgbRowBytes(width));
    if (src.size() < srcRow * static_cast<size_t>(height))
        return false;
    const int w = std::max(1, width / 2);
    const int h = std::max(1, height / 2);
    const size_t dstRow = static_cast<size_t>(RgbRowBytes(w));
    dst.assign(dstRow * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const int y0 = std::min(2 * y, height - 1);
        const int y1 = std::min(2 * y + 1, height - 1);
        for (int x = 0; x < w; ++x) {
            const int x0 = std::min(2 * x, width - 1);
            const int x1 = std::min(2 * x + 1, width - 1);
            for (int c = 0; c < 3; ++c) {
                const unsigned sum = src[y0 * srcRow + x0 * 3 + c] + src[y0 * srcRow + x1 * 3 + c] +
                                     src[y1 * srcRow + x0 * 3 + c] + src[y1 * srcRow + x1 * 3 + c];
                dst[y * dstRow + x * 3 + c] = static_cast<unsigned char>((sum + 2) / 4);
            }
        }
    }
    dstWidth = w;
    dstHeight = h;
    return true;
}
