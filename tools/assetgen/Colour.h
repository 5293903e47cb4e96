// Linear RGB colour with components in 0..1, the painters' working unit.
#pragma once

struct Colour {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Colour Mix(const Colour& a, const Colour& b, float t)
{
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Colour Scale(const Colour& c, float k)
{
    return Colour{c.r * k, c.g * k, c.b * k};
}

inline Colour Add(const Colour& a, const Colour& b)
{
    return Colour{a.r + b.r, a.g + b.g, a.b + b.b};
}
