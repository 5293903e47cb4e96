// Glyph bitmaps into texels: power-of-two sizes, rows stepped by pitch, mono bitmaps.
#include <gtest/gtest.h>

#include <vector>

#include "text/GlyphBitmap.h"

namespace {

FT_Bitmap Bitmap(unsigned rows, unsigned width, int pitch, unsigned char* buffer,
                 unsigned char mode = FT_PIXEL_MODE_GRAY)
{
    FT_Bitmap bitmap{};
    bitmap.rows = rows;
    bitmap.width = width;
    bitmap.pitch = pitch;
    bitmap.buffer = buffer;
    bitmap.num_grays = 256;
    bitmap.pixel_mode = mode;
    return bitmap;
}

// The coverage bytes of texel row j (one byte per texel; both bytes must agree).
std::vector<int> Row(const std::vector<unsigned char>& texels, int w, int j)
{
    std::vector<int> row;
    for (int i = 0; i < w; ++i) {
        const unsigned char* t = &texels[2 * (j * w + i)];
        EXPECT_EQ(t[0], t[1]) << "texel " << i << "," << j;
        row.push_back(t[0]);
    }
    return row;
}

TEST(GlyphSideLimit, IsEightEmsButNeverBelow64OrFromANonsenseSize)
{
    EXPECT_EQ(GlyphSideLimit(13), 104); // the game's size 10 at 96 dpi
    EXPECT_EQ(GlyphSideLimit(100), 800);
    EXPECT_EQ(GlyphSideLimit(5), 64);
    EXPECT_EQ(GlyphSideLimit(0), 64);
    EXPECT_EQ(GlyphSideLimit(-3), 64);
    EXPECT_EQ(GlyphSideLimit(1 << 30), 64); // 8 em would overflow
}

TEST(GlyphTextureSide, IsTheSmallestPowerOfTwoThatHoldsTheExtent)
{
    EXPECT_EQ(GlyphTextureSide(9), 16);
    EXPECT_EQ(GlyphTextureSide(13), 16);
    EXPECT_EQ(GlyphTextureSide(16), 16);
    EXPECT_EQ(GlyphTextureSide(17), 32);
    EXPECT_EQ(GlyphTextureSide(1), 1);
    EXPECT_EQ(GlyphTextureSide(2), 2);
    EXPECT_EQ(GlyphTextureSide(3), 4);
    EXPECT_EQ(GlyphTextureSide(0), 1); // an empty bitmap still gets one texel
    EXPECT_EQ(GlyphTextureSide(-4), 1);
}

TEST(GlyphTexels, RowsAreSteppedByPitchNotWidth)
{
    // 3 wide, padded to 4 bytes a row; 0xEE is padding that must never show.
    unsigned char buffer[] = {1, 2, 3, 0xEE, 4, 5, 6, 0xEE};
    const std::vector<unsigned char> texels = GlyphTexels(Bitmap(2, 3, 4, buffer), 4, 2);
    ASSERT_EQ(texels.size(), 16u);
    EXPECT_EQ(Row(texels, 4, 0), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(Row(texels, 4, 1), (std::vector<int>{4, 5, 6, 0}));
}

TEST(GlyphTexels, NegativePitchStillPutsTheTopRowFirst)
{
    // Stored bottom row first.
    unsigned char buffer[] = {7, 8, 0xEE, 0xEE, 1, 2, 0xEE, 0xEE};
    const std::vector<unsigned char> texels = GlyphTexels(Bitmap(2, 2, -4, buffer), 2, 2);
    ASSERT_EQ(texels.size(), 8u);
    EXPECT_EQ(Row(texels, 2, 0), (std::vector<int>{1, 2}));
    EXPECT_EQ(Row(texels, 2, 1), (std::vector<int>{7, 8}));
}

TEST(GlyphTexels, TexelsOutsideTheBitmapAreTransparent)
{
    unsigned char buffer[] = {9, 9, 9};
    const std::vector<unsigned char> texels = GlyphTexels(Bitmap(1, 3, 3, buffer), 4, 4);
    ASSERT_EQ(texels.size(), 32u);
    EXPECT_EQ(Row(texels, 4, 0), (std::vector<int>{9, 9, 9, 0}));
    for (int j = 1; j < 4; ++j)
        EXPECT_EQ(Row(texels, 4, j), (std::vector<int>{0, 0, 0, 0}));
    // The space: no rows, no buffer.
    EXPECT_EQ(GlyphTexels(Bitmap(0, 0, 0, nullptr), 1, 1), (std::vector<unsigned char>{0, 0}));
}

TEST(GlyphTexels, MonoBitsBecomeFullCoverage)
{
    // 10 wide: two bytes a row, most significant bit first.
    unsigned char buffer[] = {0xA0, 0x40, 0x00, 0x80};
    const std::vector<unsigned char> texels =
        GlyphTexels(Bitmap(2, 10, 2, buffer, FT_PIXEL_MODE_MONO), 16, 2);
    std::vector<int> top(16, 0), bottom(16, 0);
    top[0] = top[2] = top[9] = 255;
    bottom[8] = 255;
    EXPECT_EQ(Row(texels, 16, 0), top);
    EXPECT_EQ(Row(texels, 16, 1), bottom);
}

} // namespace
