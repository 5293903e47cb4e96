// HalveRgb: one step down a texture's mipmap chain, a 2x2 box filter over R,G,B bytes.
#pragma once

#include <vector>

// Bytes in a row of `width` R,G,B pixels padded to 4, as GL's default unpack
// alignment reads them.
int RgbRowBytes(int width);

// `src` (width x height, rows padded as RgbRowBytes) halved into `dst`, each
// side max(1, side / 2). Each pixel is the rounded mean of the 2x2 block it
// covers; a side of 1 is averaged with itself, and of an odd side the last
// row or column is left out, as GL sizes the levels (floor of the half). False, `dst` untouched,
// for sizes below 1 or a `src` too small for them.
bool HalveRgb(const std::vector<unsigned char>& src, int width, int height,
              std::vector<unsigned char>& dst, int& dstWidth, int& dstHeight);
