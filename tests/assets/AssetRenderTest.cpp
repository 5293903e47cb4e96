// The assets drawn as the game draws them, read back from a real GL context.
#include <gtest/gtest.h>

#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"
#include "tools/assetgen/GlyphRaster.h"
#include "tools/assetview/PreviewScene.h"

#include <GL/glu.h>

#include <algorithm>
#include <string>

namespace {

constexpr int kWidth = 640, kHeight = 480;

Rgb PixelAt(const ScenePoint& p)
{
    GLdouble model[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.y, p.z, p.x, model, projection, viewport, &wx, &wy, &wz);
    return ReadPixel(static_cast<int>(wx), static_cast<int>(wy));
}

TEST(AssetRender, FromAboveClothIsGreenPocketsDarkRailsWoodenAndTheFloorLit)
{
    ASSERT_TRUE(EnsureGlWindow(kWidth, kHeight));
    CWorkingDir cwd(BAIZELINE_RUN_DIR);
    CPreviewScene scene;
    scene.Load();
    const ScenePoint eye{-1, 0, 100};
    CPreviewScene::SetCamera(eye, ScenePoint{0, 0, 0});
    scene.Draw(eye);
    Rgb bed = PixelAt({0, 5, 0});
    EXPECT_TRUE(bed.g > bed.r + 40 && bed.g > bed.b + 40) << bed.r << " " << bed.g << " " << bed.b;
    // Scene (x, y) of the six pocket markers, looked into from above.
    const ScenePoint pockets[6] = {{30, -20, -1}, {0, -20, -1}, {-30, -20, -1}, {-30, 20, -1}, {0, 20, -1}, {30, 20, -1}};
    for (const ScenePoint& p : pockets) {
        Rgb c = PixelAt(p);
        EXPECT_LT(std::max({c.r, c.g, c.b}), 40) << "pocket at " << p.x << ", " << p.y;
    }
    Rgb rail = PixelAt({15, 22, 1.5f});
    EXPECT_TRUE(rail.r > 60 && rail.r > rail.g && rail.g > rail.b) << rail.r << " " << rail.g << " " << rail.b;
    // The floor has no light of its own: it is lit only through the state the
    // table's last face leaves behind.
    Rgb floor = PixelAt({0, 45, -26.5f});
    EXPECT_GT(floor.r + floor.g + floor.b, 40);
}

// Covariance of ink pixel positions (x right, y up): its sign flips when a
// shape is mirrored and survives a half turn.
struct InkShape {
    double cov = 0;
    int count = 0;
};

template <typename IsInk>
InkShape ShapeOf(int w, int h, IsInk isInk)
{
    double sx = 0, sy = 0, sxy = 0;
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (isInk(x, y)) {
                sx += x;
                sy += y;
                sxy += static_cast<double>(x) * y;
                ++n;
            }
    InkShape s;
    s.count = n;
    if (n)
        s.cov = sxy / n - (sx / n) * (sy / n);
    return s;
}

TEST(AssetRender, BallDigitsSitOnRoundDiscsTheRightWayRound)
{
    ASSERT_TRUE(EnsureGlWindow(kWidth, kHeight));
    CWorkingDir cwd(BAIZELINE_RUN_DIR);
    CPreviewTextures textures;
    CGlyphRaster font("data/debug_font.ttf");
    for (int number : {2, 4, 7}) {
        SCOPED_TRACE(number);
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(30.0, static_cast<double>(kWidth) / kHeight, 1.0, 20.0);
        gluLookAt(6, 0, 0, 0, 0, 0, 0, 1, 0); // looking at the sphere's +x disc from outside
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f); // the sphere's +z (its digits' up) to screen up
        glColor3f(1, 1, 1);
        glBindTexture(GL_TEXTURE_2D, textures.Get("data/ball_" + std::to_string(number) + ".bmp"));
        GLUquadric* quadric = gluNewQuadric();
        gluQuadricTexture(quadric, GL_TRUE);
        gluSphere(quadric, 1.0, 96, 48);
        gluDeleteQuadric(quadric);
        std::vector<unsigned char> px(kWidth * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, px.data());
        auto at = [&](int x, int y, int c) { return px[(static_cast<size_t>(y) * kWidth + x) * 3 + c]; };
        auto white = [&](int x, int y) { return at(x, y, 0) > 190 && at(x, y, 1) > 190 && at(x, y, 2) > 180; };
        auto ink = [&](int x, int y) { return at(x, y, 0) < 70 && at(x, y, 1) < 70 && at(x, y, 2) < 70; };
        // The disc: the white area's extent, the same across as up and down.
        int x0 = kWidth, x1 = 0, y0 = kHeight, y1 = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (white(x, y)) {
                    x0 = std::min(x0, x), x1 = std::max(x1, x);
                    y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
        ASSERT_GT(x1 - x0, 40);
        EXPECT_NEAR(static_cast<double>(x1 - x0) / (y1 - y0), 1.0, 0.06);
        InkShape drawn = ShapeOf(kWidth, kHeight, [&](int x, int y) {
            return x > x0 && x < x1 && y > y0 && y < y1 && ink(x, y);
        });
        Coverage glyph = font.Render(std::to_string(number), 160, 0.0f, 0);
        InkShape truth = ShapeOf(glyph.width, glyph.height, [&](int x, int y) {
            return glyph.At(x, glyph.height - 1 - y) > 128; // rows flipped to y up
        });
        ASSERT_GT(drawn.count, 100);
        EXPECT_GT(drawn.cov * truth.cov, 0.0) << "the digit is mirrored";
    }
}

} // namespace
