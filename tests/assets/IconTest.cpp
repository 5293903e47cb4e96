// The game's icon: a round ball on a clear square, seen the right way round,
// written as an RGBA PNG. (The installed sizes are checked by the install test.)
#include <gtest/gtest.h>

#include "physics/Units.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tools/assetgen/BallIcon.h"
#include "tools/assetgen/BallPicture.h"
#include "tools/assetgen/PngFile.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

const Colour kRed{1, 0, 0}, kGreen{0, 1, 0}, kBlue{0, 0, 1}, kWhite{1, 1, 1};

// A wrap that marks three directions of the ball's frame: red round +x (where
// the number disc sits), green round +y, blue round +z (the top).
Image MarkedWrap()
{
    Image wrap(256, 128);
    for (int y = 0; y < wrap.height; ++y)
        for (int x = 0; x < wrap.width; ++x) {
            const vec3 d = SphereDirection(x + 0.5f, y + 0.5f, wrap.width, wrap.height);
            wrap.Set(x, y, d.x > 0.8f ? kRed : d.y > 0.8f ? kGreen : d.z > 0.8f ? kBlue : kWhite);
        }
    return wrap;
}

// The channel of a pixel that stands out: 0 red, 1 green, 2 blue, -1 none
// (white, grey and black, whatever the shading).
int Strongest(const IconPicture& icon, int x, int y)
{
    const Colour c = icon.colour.Get(x, y);
    const float margin = 0.2f;
    if (c.r > c.g + margin && c.r > c.b + margin)
        return 0;
    if (c.g > c.r + margin && c.g > c.b + margin)
        return 1;
    return c.b > c.r + margin && c.b > c.g + margin ? 2 : -1;
}

TEST(BallIcon, ShowsTheNumberDiscFacingTheViewerTopUpAndRightWayRound)
{
    const int size = 64;
    const IconPicture icon = PaintBallIcon(MarkedWrap(), size);
    EXPECT_EQ(Strongest(icon, size / 2, size / 2), 0) << "centre: the number disc";
    EXPECT_EQ(Strongest(icon, size / 2, 4), 2) << "top: the ball's top";
    // A viewer facing the disc with the top up has +y on the right; a mirrored
    // look-up would put it on the left and print the digits backwards.
    EXPECT_EQ(Strongest(icon, size - 6, size / 2), 1) << "right: +y";
    EXPECT_NE(Strongest(icon, 5, size / 2), 1) << "left: not +y";
}

TEST(BallIcon, IsARoundBallOnAClearSquare)
{
    for (int size : {16, 48, 256}) {
        const IconPicture icon = PaintBallIcon(MarkedWrap(), size);
        ASSERT_EQ(icon.alpha.size(), static_cast<size_t>(size) * size);
        auto alpha = [&](int x, int y) { return icon.alpha[static_cast<size_t>(y) * size + x]; };
        EXPECT_EQ(alpha(0, 0), 0) << size;
        EXPECT_EQ(alpha(size - 1, size - 1), 0) << size;
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << size;
        // Covered area against the disc of the drawn radius (0.47 of the square).
        double covered = 0.0;
        for (uint8_t a : icon.alpha)
            covered += a / 255.0;
        const double disc = PiDouble * std::pow(0.47 * size, 2.0);
        EXPECT_NEAR(covered, disc, disc * 0.02) << size;
        // Round, not squeezed: as wide as it is high.
        int wide = 0, high = 0;
        for (int i = 0; i < size; ++i) {
            wide += alpha(i, size / 2) > 127;
            high += alpha(size / 2, i) > 127;
        }
        EXPECT_EQ(wide, high) << size;
    }
}

TEST(PngFile, RgbaKeepsEachPixelsCoverageAndRefusesAPlaneOfAnotherSize)
{
    CTempDir dir;
    Image image(2, 1, Colour{0, 0, 1});
    image.Set(0, 0, Colour{1, 0, 0});
    WritePng(dir.Path() + "/t.png", image, {0, 200});
    const std::string text = RunCommand("/usr/bin/convert " + dir.Path() + "/t.png -depth 8 txt:- 2>&1");
    EXPECT_NE(text.find("0,0: (255,0,0,0)"), std::string::npos) << text;
    EXPECT_NE(text.find("1,0: (0,0,255,200)"), std::string::npos) << text;
    EXPECT_THROW(EncodePng(image, {255}), std::invalid_argument);
}

} // namespace
