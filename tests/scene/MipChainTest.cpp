// One step down a mipmap chain: box-filter means, GL's level sizes, padded rows, refused input.
#include <gtest/gtest.h>

#include <vector>

#include "scene/MipChain.h"

TEST(HalveRgb, EachPixelIsTheRoundedMeanOfItsBlockInPaddedRows)
{
    // 2x2 pixels: rows of 6 bytes padded to 8.
    const std::vector<unsigned char> src = {0, 10, 255, 4, 10, 255, 0, 0, //
                                            1, 20, 255, 1, 21, 0,   0, 0};
    std::vector<unsigned char> dst;
    int w = 0, h = 0;
    ASSERT_TRUE(HalveRgb(src, 2, 2, dst, w, h));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    ASSERT_EQ(dst.size(), 4u); // one pixel, padded to 4
    EXPECT_EQ(dst[0], 2);      // (0 + 4 + 1 + 1 + 2) / 4
    EXPECT_EQ(dst[1], 15);     // 61 / 4 rounded
    EXPECT_EQ(dst[2], 191);    // 765 / 4 rounded
}

TEST(HalveRgb, SizesFollowGlsLevelsDownToOnePixel)
{
    // 5x1, a one-pixel-high strip: the height stays 1, the width floors to 2.
    std::vector<unsigned char> src(static_cast<size_t>(RgbRowBytes(5)), 0);
    for (int x = 0; x < 5; ++x)
        src[static_cast<size_t>(x * 3)] = static_cast<unsigned char>(40 * x);
    std::vector<unsigned char> dst;
    int w = 0, h = 0;
    ASSERT_TRUE(HalveRgb(src, 5, 1, dst, w, h));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(dst[0], 20);  // pixels 0 and 1
    EXPECT_EQ(dst[3], 100); // pixels 2 and 3
    // A 1x1 level halves to itself.
    const std::vector<unsigned char> one = {7, 8, 9, 0};
    ASSERT_TRUE(HalveRgb(one, 1, 1, dst, w, h));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(std::vector<unsigned char>(dst.begin(), dst.begin() + 3),
              (std::vector<unsigned char>{7, 8, 9}));
}

TEST(HalveRgb, RefusesSizesItsBytesCannotHoldAndLeavesTheOutputAlone)
{
    std::vector<unsigned char> dst = {1, 2, 3};
    int w = -1, h = -1;
    EXPECT_FALSE(HalveRgb(std::vector<unsigned char>(12, 0), 4, 2, dst, w, h)); // needs 24
    EXPECT_FALSE(HalveRgb(std::vector<unsigned char>(12, 0), 0, 2, dst, w, h));
    EXPECT_FALSE(HalveRgb(std::vector<unsigned char>(12, 0), 2, -1, dst, w, h));
    EXPECT_EQ(dst, (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(w, -1);
}
