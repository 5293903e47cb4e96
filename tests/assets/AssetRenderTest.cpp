// The generated assets in the game's own level, drawn by the game's code and read back from a real GL context.
#include <gtest/gtest.h>

#include "app/Game.h"
#include "scene/Ball.h"
#include "scene/Cue.h"
#include "tests/support/Capture.h"
#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"
#include "tools/assetgen/GlyphRaster.h"
#include "tools/assetview/FrameCapture.h"
#include "tools/assetview/PreviewScene.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

constexpr int kWidth = 640, kHeight = 480;

// The window with the GL state the game's own window starts with.
class AssetRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureGlWindow(kWidth, kHeight));
        Game.Resize(kWidth, kHeight);
        Game.Setup();
    }
    void TearDown() override
    {
        UnloadPreviewLevel();
        for (GLenum light = GL_LIGHT0; light <= GL_LIGHT7; ++light)
            glDisable(light);
    }
    CWorkingDir cwd{BAIZELINE_RUN_DIR};
};

// The pixel showing scene point `p` under the camera's matrices.
Rgb PixelAt(const vec3& p)
{
    GLdouble model[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.y, p.z, p.x, model, projection, viewport, &wx, &wy, &wz);
    return ReadPixel(static_cast<int>(wx), static_cast<int>(wy));
}

const PreviewView& View(const char* name)
{
    for (const PreviewView& view : PreviewViews())
        if (std::strcmp(view.name, name) == 0)
            return view;
    throw std::runtime_error(std::string("no view ") + name);
}

TEST_F(AssetRender, FromAboveClothIsGreenPocketsDarkRailsWoodenAndTheFloorLit)
{
    StdoutOf([] { // the loader's face counts
        LoadPreviewLevel();
        DrawPreview(View("top"));
    });
    const Rgb bed = PixelAt({0, 5, 0});
    EXPECT_TRUE(bed.g > bed.r + 40 && bed.g > bed.b + 40) << bed;
    // Looked into from above, where the game marks its pockets.
    const vec3 pockets[6] = {{30, -20, -1}, {0, -20, -1}, {-30, -20, -1},
                             {-30, 20, -1}, {0, 20, -1},  {30, 20, -1}};
    for (const vec3& p : pockets) {
        const Rgb c = PixelAt(p);
        EXPECT_LT(std::max({c.r, c.g, c.b}), 40) << "pocket at " << p.x << ", " << p.y;
    }
    const Rgb rail = PixelAt({15, 22, 1.5f});
    EXPECT_TRUE(rail.r > 60 && rail.r > rail.g && rail.g > rail.b) << rail;
    // The room sets no light, material or normal of its own: it is lit only
    // through the state the last model face drawn leaves behind.
    const Rgb floor = PixelAt({0, 45, -26.5f});
    EXPECT_GT(floor.r + floor.g + floor.b, 40);
}

TEST_F(AssetRender, LineUpMovesBallsForItsFrameOnlyAndBringsTheRackBack)
{
    vec3 apex;
    StdoutOf([&] {
        LoadPreviewLevel();
        apex = Game.objects.items.front()->position; // ball 15, the last one racked
        DrawPreview(View("lineup"));
    });
    // Above the discs: yellow ball 1 on the cloth, the white cue ball in the row above.
    const vec3 up(0, 0, 0.75f);
    const Rgb one = PixelAt(LineUpPosition(1) + up);
    EXPECT_TRUE(one.r > 150 && one.g > 100 && one.b < 60) << one;
    const Rgb cueBall = PixelAt(LineUpPosition(0) + up);
    EXPECT_GT(std::min({cueBall.r, cueBall.g, cueBall.b}), 150);
    EXPECT_EQ(Game.objects.items.front()->position.x, apex.x);
    EXPECT_EQ(Game.objects.items.front()->position.y, apex.y);
    EXPECT_EQ(Game.cue->state, CueResting);
}

// Covariance of ink pixel positions: its sign flips when a shape is mirrored
// and survives a half turn.
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

TEST_F(AssetRender, BallDigitsSitOnRoundDiscsTheRightWayRound)
{
    CGlyphRaster font("data/debug_font.ttf");
    // The game's camera close to a ball turned as the line-up turns it, its
    // +x disc toward the eye; unlit, so the pixels are the picture's own.
    Game.camera.position = vec3(0, 4, 0);
    Game.camera.look = vec3(0, 0, 0);
    Game.camera.Update(false);
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    for (int number : {2, 4, 7}) {
        SCOPED_TRACE(number);
        const std::string picture = "data/ball_" + std::to_string(number) + ".bmp";
        Game.textures.Add(picture);
        CBall ball(nullptr, vec3(0, 0, 0), number);
        ball.rotation = LineUpTurn;
        ball.SetTexture(Game.textures, number);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ball.Draw(Game.SceneContext());
        const Image frame = CaptureFrame(kWidth, kHeight); // top row first
        auto at = [&](int x, int y, int c) { return frame.rgb[(static_cast<size_t>(y) * kWidth + x) * 3 + c]; };
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
        const InkShape drawn = ShapeOf(kWidth, kHeight, [&](int x, int y) {
            return x > x0 && x < x1 && y > y0 && y < y1 && ink(x, y);
        });
        const Coverage glyph = font.Render(std::to_string(number), 160, 0.0f, 0);
        const InkShape truth = ShapeOf(glyph.width, glyph.height,
                                       [&](int x, int y) { return glyph.At(x, y) > 128; });
        ASSERT_GT(drawn.count, 100);
        EXPECT_GT(drawn.cov * truth.cov, 0.0) << "the digit is mirrored";
    }
    glEnable(GL_LIGHTING);
}

} // namespace
