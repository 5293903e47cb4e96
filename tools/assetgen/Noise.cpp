// Deterministic hash noise that tiles: the same bytes on every machine and run.
#include "tools/assetgen/Noise.h"

#include <cmath>

uint32_t Hash2(uint32_t x, uint32_t y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B9u ^ x * 0x85EBCA6Bu ^ y * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float HashUnit(uint32_t x, uint32_t y, uint32_t seed)
{
    return static_cast<float>(Hash2(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

namespace {

int Wrap(int i, int period)
{
    int m = i % period;
    return m < 0 ? m + period : m;
}

float Fade(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

} // namespace

float ValueNoise(float x, float y, int periodX, int periodY, uint32_t seed)
{
    float fx = std::floor(x), fy = std::floor(y);
    int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    float tx = Fade(x - fx), ty = Fade(y - fy);
    auto at = [&](int i, int j) {
        return HashUnit(static_cast<uint32_t>(Wrap(i, periodX)),
                        static_cast<uint32_t>(Wrap(j, periodY)), seed);
    };
    float a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * tx;
    float b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * tx;
    return a + (b - a) * ty;
}

float FractalNoise(float u, float v, int periodX, int periodY, int octaves, uint32_t seed)
{
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        int px = periodX << i, py = periodY << i;
        sum += weight * ValueNoise(u * px, v * py, px, py, seed + static_cast<uint32_t>(i) * 101u);
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}
