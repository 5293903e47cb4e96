// Ball pictures, wrapped onto a GLU sphere. Every pixel is painted by asking
// which point of the sphere it lands on, so discs and digits are drawn in the
// sphere's own geometry and need no explicit pre-distortion.
#include "tools/assetgen/BallPicture.h"

#include "tools/assetgen/GlyphRaster.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "physics/Units.h"

namespace {

// Stripe balls: the band covers latitudes within this angle of the equator.
constexpr float kBandHalfAngle = 0.62f;
// Cue ball spots: six small dots so its spin can be seen.
constexpr float kSpotRadius = 0.10f;
// Supersampling per pixel edge: 4 x 4 samples smooth the disc and digit edges.
constexpr int kSamples = 4;

const Colour kWhite{0.96f, 0.95f, 0.90f};
const Colour kInk{0.06f, 0.06f, 0.07f};
const Colour kSpot{0.80f, 0.10f, 0.10f};

// The digits of one disc, in the disc's tangent plane. Coordinates in sphere
// radii: `right` and `up` are what a viewer outside the ball, looking at the
// disc with the sphere's +z up, sees as right and up.
struct DiscFace {
    vec3 centre, right, up;
};

DiscFace FaceOfDisc(int which)
{
    DiscFace face;
    face.centre = NumberDiscCentre(which);
    face.up = vec3{0.0f, 0.0f, 1.0f};
    // right = forward x up with forward = -centre (looking at the ball).
    face.right = vec3{-face.centre.y, face.centre.x, 0.0f};
    return face;
}

// Digits scaled into the disc: the ink's size in sphere radii per pixel.
struct DigitLayout {
    Coverage ink;
    float radiiPerPixel = 0.0f;
};

DigitLayout LayOutDigits(int number, const CGlyphRaster& font)
{
    DigitLayout layout;
    layout.ink = font.Render(std::to_string(number), 160, 0.035f, 2);
    // 6 and 9 are underlined so they read the same way up from any side.
    if (number == 6 || number == 9)
        AddUnderline(layout.ink, 10, 16, 0.8f);
    const float maxHeight = 0.46f, maxWidth = 0.60f; // sphere radii
    layout.radiiPerPixel = std::min(maxHeight / layout.ink.height, maxWidth / layout.ink.width);
    return layout;
}

Colour BaseAt(int number, const vec3& d)
{
    if (number >= 9)
        return std::fabs(std::asin(std::clamp(d.z, -1.0f, 1.0f))) < kBandHalfAngle
                   ? BallColour(number)
                   : kWhite;
    return BallColour(number);
}

Colour CueBallAt(const vec3& d)
{
    const vec3 spots[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const vec3& s : spots)
        if (Dot(d, s) > std::cos(kSpotRadius))
            return kSpot;
    return kWhite;
}

Colour NumberedBallAt(int number, const DigitLayout& digits, const vec3& d)
{
    for (int which = 0; which < 2; ++which) {
        DiscFace face = FaceOfDisc(which);
        if (Dot(d, face.centre) < std::cos(kNumberDiscRadius))
            continue;
        // Orthographic view of the disc: what a viewer straight in front sees.
        float gx = Dot(d, face.right) / digits.radiiPerPixel;
        float gy = Dot(d, face.up) / digits.radiiPerPixel;
        float ink = digits.ink.Sample(digits.ink.width * 0.5f + gx, digits.ink.height * 0.5f - gy);
        return Mix(kWhite, kInk, ink);
    }
    return BaseAt(number, d);
}

} // namespace

vec3 SphereDirection(float x, float y, int width, int height)
{
    float s = x / width, t = y / height;
    float longitude = TwoPi * (1.0f - s); // from +y toward +x
    float latitude = -HalfPi + Pi * t;
    float c = std::cos(latitude);
    return vec3{c * std::sin(longitude), c * std::cos(longitude), std::sin(latitude)};
}

Colour BallColour(int number)
{
    static const Colour colours[9] = {
        kWhite,
        {0.98f, 0.76f, 0.06f}, // 1 yellow
        {0.06f, 0.22f, 0.72f}, // 2 blue
        {0.84f, 0.09f, 0.07f}, // 3 red
        {0.36f, 0.13f, 0.56f}, // 4 purple
        {0.98f, 0.44f, 0.06f}, // 5 orange
        {0.02f, 0.50f, 0.22f}, // 6 green
        {0.50f, 0.09f, 0.11f}, // 7 maroon
        {0.07f, 0.07f, 0.07f}, // 8 black
    };
    if (number <= 0 || number > 15)
        return kWhite;
    return colours[number > 8 ? number - 8 : number];
}

vec3 NumberDiscCentre(int which)
{
    return which == 0 ? vec3{1.0f, 0.0f, 0.0f} : vec3{-1.0f, 0.0f, 0.0f};
}

Image PaintBall(int number, const CGlyphRaster& font, int width, int height)
{
    DigitLayout digits;
    if (number > 0)
        digits = LayOutDigits(number, font);
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    vec3 d = SphereDirection(x + (i + 0.5f) / kSamples,
                                                  y + (j + 0.5f) / kSamples, width, height);
                    sum = Add(sum, number == 0 ? CueBallAt(d) : NumberedBallAt(number, digits, d));
                }
            }
            image.Set(x, y, Scale(sum, 1.0f / (kSamples * kSamples)));
        }
    }
    return image;
}
