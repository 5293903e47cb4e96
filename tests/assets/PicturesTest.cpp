// The generated pictures: BMP layout, sizes SDL agrees with, seamless tiles,
// ball colours and number discs.
#include <gtest/gtest.h>

#include "physics/Units.h"
#include "tools/assetgen/AssetCatalogue.h"
#include "tools/assetgen/BallPicture.h"
#include "tools/assetgen/BmpFile.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kData = std::string(BAIZELINE_RUN_DIR) + "/data/";

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// R, G, B of a 24-bit surface's pixel (x, y), y from the top.
Colour PixelOf(const SDL_Surface* s, int x, int y)
{
    const auto* p = static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * 3;
    return Colour{p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f}; // stored B, G, R
}

bool PowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

TEST(BmpFile, RowsArePaddedBottomUpAndBlueFirst)
{
    Image image(3, 2);
    image.Set(0, 0, Colour{1, 0, 0}); // top left red
    image.Set(2, 1, Colour{0, 0, 1}); // bottom right blue
    std::vector<uint8_t> bytes = EncodeBmp(image);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12); // 9 bytes of pixels padded to 12 per row
    // The file's first row is the picture's bottom row: its last pixel is blue (B,G,R).
    EXPECT_EQ(bytes[54 + 6], 255);
    EXPECT_EQ(bytes[54 + 8], 0);
    // The second file row is the top row: red first pixel, stored as 0, 0, 255.
    EXPECT_EQ(bytes[54 + 12 + 2], 255);
    EXPECT_EQ(bytes[54 + 12 + 0], 0);
    Surface s(SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1));
    ASSERT_TRUE(s) << SDL_GetError();
    EXPECT_EQ(PixelOf(s.get(), 0, 0).r, 1.0f);
    EXPECT_EQ(PixelOf(s.get(), 2, 1).b, 1.0f);
}

TEST(GeneratedPictures, EachIsA24BitPowerOfTwoBmpOfItsIntendedSize)
{
    ASSERT_EQ(Pictures().size(), 25u); // 3 room, 16 balls, cue, 5 for the table (two cloths)
    for (const PictureAsset& p : Pictures()) {
        Surface s(SDL_LoadBMP((kData + p.name).c_str()));
        ASSERT_TRUE(s) << p.name << ": " << SDL_GetError();
        EXPECT_EQ(s->format->BitsPerPixel, 24) << p.name;
        EXPECT_EQ(s->w, p.width) << p.name;
        EXPECT_EQ(s->h, p.height) << p.name;
        EXPECT_TRUE(PowerOfTwo(s->w) && PowerOfTwo(s->h)) << p.name;
    }
}

// Mean colour difference between columns x0 and x1 (or rows, if `rows`).
float LineDifference(const SDL_Surface* s, int a, int b, bool rows)
{
    int n = rows ? s->w : s->h;
    float sum = 0.0f;
    for (int i = 0; i < n; ++i) {
        Colour p = rows ? PixelOf(s, i, a) : PixelOf(s, a, i);
        Colour q = rows ? PixelOf(s, i, b) : PixelOf(s, b, i);
        sum += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
    }
    return sum / n;
}

TEST(GeneratedPictures, RepeatedPicturesJoinWithoutASeam)
{
    for (const char* name : {"wall.bmp", "floor.bmp", "ceil.bmp", "cloth.bmp", "rail.bmp", "pocket.bmp"}) {
        Surface s(SDL_LoadBMP((kData + name).c_str()));
        ASSERT_TRUE(s) << name;
        for (bool rows : {false, true}) {
            int last = (rows ? s->h : s->w) - 1;
            float inside = 0.0f;
            for (int i = 0; i < last; ++i)
                inside = std::fmax(inside, LineDifference(s.get(), i, i + 1, rows));
            // Across the wrap the picture may change no more than between any two neighbours.
            EXPECT_LE(LineDifference(s.get(), last, 0, rows), inside * 1.05f + 0.002f)
                << name << (rows ? " top to bottom" : " left to right");
        }
    }
}

float Luminance(const Colour& c)
{
    return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
}

// NaN, which fails every comparison, when the picture does not load.
float MeanLuminance(const std::string& name)
{
    Surface s(SDL_LoadBMP((kData + name).c_str()));
    if (!s) {
        ADD_FAILURE() << name << ": " << SDL_GetError();
        return std::nanf("");
    }
    float sum = 0.0f;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            sum += Luminance(PixelOf(s.get(), x, y));
    return sum / (s->w * s->h);
}

TEST(GeneratedPictures, RoomIsDimmerThanTheCloth)
{
    float cloth = MeanLuminance("cloth.bmp");
    for (const char* name : {"wall.bmp", "floor.bmp", "ceil.bmp"})
        EXPECT_LT(MeanLuminance(name), cloth) << name;
}

bool Near(const Colour& a, const Colour& b, float tolerance = 0.02f)
{
    return std::fabs(a.r - b.r) < tolerance && std::fabs(a.g - b.g) < tolerance &&
           std::fabs(a.b - b.b) < tolerance;
}

// The column and row showing direction d (nearest pixel) on a ball picture.
void PixelOfDirection(float x, float y, float z, int w, int h, int& column, int& row)
{
    float longitude = std::atan2(x, y); // from +y toward +x
    if (longitude < 0.0f)
        longitude += TwoPi;
    column = static_cast<int>((1.0f - longitude / TwoPi) * w) % w;
    row = std::min(h - 1, static_cast<int>((std::asin(z) / Pi + 0.5f) * h));
}

TEST(GeneratedPictures, BallsShowTheirColourBandAndInkedDiscs)
{
    for (int n = 0; n <= 15; ++n) {
        Surface s(SDL_LoadBMP((kData + "ball_" + std::to_string(n) + ".bmp").c_str()));
        ASSERT_TRUE(s);
        int c, r;
        // Between the discs on the equator: the ball's colour (the band's on stripes).
        PixelOfDirection(0.7071f, 0.7071f, 0.0f, s->w, s->h, c, r);
        EXPECT_TRUE(Near(PixelOf(s.get(), c, r), BallColour(n))) << "ball " << n;
        // Near a pole: white on stripes and the cue ball's caps, colour on solids.
        PixelOfDirection(0.6f, 0.0f, 0.8f, s->w, s->h, c, r);
        EXPECT_TRUE(Near(PixelOf(s.get(), c, r), n >= 9 ? BallColour(0) : BallColour(n))) << "ball " << n;
        // Each disc: white at its rim, ink (dark) somewhere inside.
        for (int which = 0; which < 2; ++which) {
            vec3 d = NumberDiscCentre(which);
            float rim = kNumberDiscRadius * 0.9f;
            PixelOfDirection(d.x * std::cos(rim), d.y, std::sin(rim), s->w, s->h, c, r);
            EXPECT_TRUE(n == 0 || Near(PixelOf(s.get(), c, r), BallColour(0))) << "ball " << n;
            int dark = 0;
            PixelOfDirection(d.x, d.y, d.z, s->w, s->h, c, r);
            for (int y = r - 20; y <= r + 20; ++y)
                for (int x = c - 20; x <= c + 20; ++x)
                    dark += Luminance(PixelOf(s.get(), x, y)) < 0.2f;
            if (n == 0)
                EXPECT_EQ(dark, 0);
            else
                EXPECT_GT(dark, 60) << "ball " << n << " disc " << which;
        }
    }
}

} // namespace
