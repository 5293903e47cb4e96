// Frame drawing: the light, the lighting toggle and where each overlay lands.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "app/Game.h"
#include "tests/app/LevelFixture.h"

namespace {

class GameDraw : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        Game.debug = false;
        Game.showCredits = false;
        Game.lighting = true;
    }
    // Draws a frame of an empty scene, so that only overlays can show, and
    // reads the window back.
    std::vector<unsigned char> DrawOverlays(void (CGame::*draw)() = &CGame::Draw)
    {
        Game.objects.Clear();
        Game.scenery.items.swap(hiddenScenery);
        Game.cue = nullptr;
        (Game.*draw)();
        Game.scenery.items.swap(hiddenScenery);
        std::vector<unsigned char> rgb(800 * 600 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }
    // Lit pixels in a window rectangle given from the bottom left.
    static int Lit(const std::vector<unsigned char>& rgb, int x0, int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += rgb[(static_cast<size_t>(y) * 800 + x) * 3] > 128;
        return n;
    }
    std::list<CObject*> hiddenScenery;
};

TEST_F(GameDraw, SetsTheSceneLightEveryFrame)
{
    glDisable(GL_LIGHT3);
    glEnable(GL_LIGHT0);
    Game.Draw();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    GLfloat ambient[4], diffuse[4], direction[3];
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glGetLightfv(GL_LIGHT3, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT3, GL_SPOT_DIRECTION, direction);
    EXPECT_FLOAT_EQ(ambient[0], 0.5f);
    EXPECT_FLOAT_EQ(diffuse[1], 1.0f);
    EXPECT_FLOAT_EQ(direction[2], -1.0f);
}

TEST_F(GameDraw, LightingOffStaysOffForTheWholeFrame)
{
    Game.lighting = false;
    Game.Draw();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    Game.lighting = true;
    Game.Draw();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(GameDraw, WithoutCreditsOrDebugOnlyTheFrameRateShowsTopLeft)
{
    Game.fps.Add(60.0f);
    const std::vector<unsigned char> rgb = DrawOverlays();
    EXPECT_GT(Lit(rgb, 0, 575, 60, 600), 20);     // "60.0"
    EXPECT_EQ(Lit(rgb, 60, 0, 800, 600), 0);      // nothing else anywhere
    EXPECT_EQ(Lit(rgb, 0, 0, 60, 575), 0);
}

TEST_F(GameDraw, CreditsSitAtTheBottomLeftAndDebugPanelsAlongTheTop)
{
    Game.showCredits = true;
    std::vector<unsigned char> rgb = DrawOverlays();
    EXPECT_GT(Lit(rgb, 0, 0, 300, 60), 100);
    EXPECT_EQ(Lit(rgb, 75, 500, 800, 600), 0);

    Game.showCredits = false;
    Game.debug = true;
    rgb = DrawOverlays();
    EXPECT_GT(Lit(rgb, 75, 540, 200, 600), 50);  // mouse panel
    EXPECT_GT(Lit(rgb, 400, 540, 800, 600), 100); // camera panel
    EXPECT_GT(Lit(rgb, 300, 0, 400, 15), 10);     // light count on the bottom edge
}

// The previews draw the scene alone: every overlay switched on, none may show,
// yet the scene light is set as in a whole frame.
TEST_F(GameDraw, TheSceneAloneHasTheLightButNoOverlays)
{
    Game.fps.Add(60.0f);
    Game.showCredits = true;
    Game.debug = true;
    glDisable(GL_LIGHT3);
    std::vector<unsigned char> rgb = DrawOverlays(&CGame::DrawScene);
    EXPECT_EQ(Lit(rgb, 0, 0, 800, 600), 0);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
    // The same frame drawn whole shows them: the window above was no accident.
    rgb = DrawOverlays();
    EXPECT_GT(Lit(rgb, 0, 0, 800, 600), 300);
}

} // namespace
