// CBall under a GL context: textures from the cache and the sphere drawn where the scene puts it.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <sys/stat.h>

#include <stdexcept>
#include <string>

#include "camera/Camera.h"
#include "scene/Ball.h"
#include "scene/DrawContext.h"
#include "scene/TextureList.h"
#include "tests/support/Bitmap.h"
#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"

namespace {

class BallGl : public GlTest {
protected:
    void TearDown() override { textures.Free(); }
    void WriteBallPicture(int number)
    {
        mkdir((dir.Path() + "/data").c_str(), 0755);
        WriteBmp(dir.Path() + "/data/ball_" + std::to_string(number) + ".bmp", 0, 0, 0);
    }
    CTempDir dir;
    CTextureList textures;
};

TEST_F(BallGl, SetTextureTakesTheCachedPictureOrReportsTheMissingName)
{
    ASSERT_NO_FATAL_FAILURE(WriteBallPicture(3));
    CWorkingDir cwd(dir.Path());
    textures.Add("data/ball_3.bmp");
    CBall b(nullptr);
    b.SetTexture(textures, 3);
    EXPECT_NE(b.texture, 0u);
    EXPECT_EQ(b.texture, textures.Get("data/ball_3.bmp")->id);
    EXPECT_EQ(b.number, 0); // the picture, not the number
    try {
        b.SetTexture(textures, 4);
        ADD_FAILURE() << "no error for a picture missing from the cache";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to find 'data/ball_4.bmp' in texture list");
    }
}

TEST_F(BallGl, SphereIsDrawnAtTheSceneSpotAndTheMatrixIsRestored)
{
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const vec3 spot(7.0f, -4.0f, 2.0f); // distinct on every axis, so a swapped axis misses
    CCamera camera;
    camera.look = spot;
    camera.distance = 10.0f;
    camera.Update(true);
    DrawContext context;
    context.eye = camera.position;

    CBall b(nullptr, spot, 5);
    glClear(GL_COLOR_BUFFER_BIT);
    b.Draw(context);
    const Rgb centre = ReadPixel(160, 120);
    EXPECT_EQ(centre.r, 255);
    EXPECT_EQ(centre.g, 255);
    const Rgb corner = ReadPixel(5, 5);
    EXPECT_EQ(corner.r, 0);

    GLfloat mv[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    EXPECT_EQ(mv[12], 0.0f);
    EXPECT_EQ(mv[13], 0.0f);
    EXPECT_EQ(mv[14], 0.0f);

    b.position = vec3(spot.y, spot.z, spot.x); // the GL point taken as a scene point
    glClear(GL_COLOR_BUFFER_BIT);
    b.Draw(context);
    EXPECT_EQ(ReadPixel(160, 120).r, 0);
}

} // namespace
