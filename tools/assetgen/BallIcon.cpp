// The game's icon: a ball wrap looked up through the sphere's own mapping (the
// inverse of SphereDirection), shaded as a glossy ball, edges supersampled.
#include "tools/assetgen/BallIcon.h"

#include "tools/assetgen/BallPicture.h"

#include <algorithm>
#include <cmath>

#include "physics/Units.h"

namespace {

// 6 x 6 samples per pixel: enough to smooth the rim even at 16 pixels.
constexpr int kSamples = 6;
// The ball's radius as a share of half the square: a pixel of air all round at 16.
constexpr float kFill = 0.94f;
// Where the viewer stands, seen from the ball: 17 degrees round from the number
// disc (+x) and 12 degrees above the equator, so the ball reads as round.
constexpr float kTurn = 0.30f, kRaise = 0.21f;

struct ViewFrame {
    vec3 right, up, toViewer; // in the ball's frame
};

ViewFrame Viewer()
{
    ViewFrame v;
    v.toViewer = vec3{std::cos(kRaise) * std::cos(kTurn), std::cos(kRaise) * std::sin(kTurn),
                      std::sin(kRaise)};
    // right = forward x world up, forward = -toViewer; up completes the frame.
    const vec3 r{-v.toViewer.y, v.toViewer.x, 0.0f};
    v.right = r / Length(r);
    v.up = Cross(v.right, -v.toViewer);
    return v;
}

// Bilinear look-up at continuous pixel coordinates; columns wrap round the
// ball, rows stop at the poles.
Colour SampleWrap(const Image& wrap, float x, float y)
{
    x -= 0.5f;
    y = std::clamp(y - 0.5f, 0.0f, wrap.height - 1.0f);
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(y);
    const float fx = x - x0, fy = y - y0;
    const int xa = ((x0 % wrap.width) + wrap.width) % wrap.width, xb = (xa + 1) % wrap.width;
    const int ya = y0, yb = std::min(y0 + 1, wrap.height - 1);
    return Mix(Mix(wrap.Get(xa, ya), wrap.Get(xb, ya), fx), Mix(wrap.Get(xa, yb), wrap.Get(xb, yb), fx),
               fy);
}

// The wrap's colour at unit direction `d` of the ball's frame.
Colour WrapAt(const Image& wrap, const vec3& d)
{
    float longitude = std::atan2(d.x, d.y); // from +y toward +x
    if (longitude < 0.0f)
        longitude += TwoPi;
    const float latitude = std::asin(std::clamp(d.z, -1.0f, 1.0f));
    return SampleWrap(wrap, (1.0f - longitude / TwoPi) * wrap.width,
                      (latitude + HalfPi) / Pi * wrap.height);
}

// A glossy ball under one light from the upper left, in front: Lambert with a
// floor of ambient light, and a tight white highlight.
Colour Shade(const Colour& albedo, const vec3& normal)
{
    static const vec3 light = vec3{-0.45f, 0.55f, 0.70f} / Length(vec3{-0.45f, 0.55f, 0.70f});
    static const vec3 halfway = (light + vec3{0.0f, 0.0f, 1.0f}) / Length(light + vec3{0.0f, 0.0f, 1.0f});
    const float diffuse = 0.30f + 0.75f * std::max(0.0f, Dot(normal, light));
    const float highlight = 0.55f * std::pow(std::max(0.0f, Dot(normal, halfway)), 48.0f);
    return Add(Scale(albedo, diffuse), Colour{highlight, highlight, highlight});
}

} // namespace

IconPicture PaintBallIcon(const Image& wrap, int size)
{
    const ViewFrame view = Viewer();
    const float centre = 0.5f * size, radius = kFill * 0.5f * size;
    IconPicture icon{Image(size, size), std::vector<uint8_t>(static_cast<size_t>(size) * size, 0)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum;
            int inside = 0;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    // Screen position in ball radii, +v up, and the normal there.
                    const float u = (x + (i + 0.5f) / kSamples - centre) / radius;
                    const float v = (centre - y - (j + 0.5f) / kSamples) / radius;
                    const float w2 = 1.0f - u * u - v * v;
                    if (w2 < 0.0f)
                        continue;
                    const vec3 normal{u, v, std::sqrt(w2)};
                    const vec3 d = view.right * u + view.up * v + view.toViewer * normal.z;
                    sum = Add(sum, Shade(WrapAt(wrap, d), normal));
                    ++inside;
                }
            }
            if (inside == 0)
                continue;
            icon.colour.Set(x, y, Scale(sum, 1.0f / inside));
            icon.alpha[static_cast<size_t>(y) * size + x] =
                static_cast<uint8_t>(std::lround(255.0f * inside / (kSamples * kSamples)));
        }
    }
    return icon;
}
