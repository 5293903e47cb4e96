// Table, pockets, room, generic model and cue under a real GL context, drawn by the game's code.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/SceneLight.h"
#include "scene/Ball.h"
#include "scene/Cue.h"
#include "scene/DrawContext.h"
#include "scene/Model.h"
#include "scene/Pot.h"
#include "scene/Room.h"
#include "scene/Table.h"
#include "scene/TextureList.h"
#include "tests/support/Bitmap.h"
#include "tests/support/Capture.h"
#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestModel.h"

namespace {

constexpr int Width = 320, Height = 240;

// A working directory with a data/ folder; the game's view and light set-up.
class SceneObjects : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        std::filesystem::create_directories(dir.Path() + "/data");
        cwd = std::make_unique<CWorkingDir>(dir.Path());
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        const GLfloat none[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1}, up[4] = {0, 1, 0, 0};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
        for (GLenum l = GL_LIGHT0; l <= GL_LIGHT7; ++l)
            glDisable(l);
        glEnable(GL_LIGHT0);
        glLightfv(GL_LIGHT0, GL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, none);
        glLoadIdentity();
        glLightfv(GL_LIGHT0, GL_POSITION, up); // light from above, in the world frame
        glClearColor(0, 0, 0, 1);
    }
    void TearDown() override
    {
        textures.Free();
        for (GLenum l = GL_LIGHT0; l <= GL_LIGHT7; ++l)
            glDisable(l);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        cwd.reset();
    }

    // The camera keeps the whole view in the projection matrix; objects draw
    // with an identity model-view.
    void Look(double ex, double ey, double ez, double cx, double cy, double cz)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, double(Width) / Height, 1.0, 1000.0);
        gluLookAt(ex, ey, ez, cx, cy, cz, 0.0, 1.0, 0.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // Window pixel of an OpenGL point under the current matrices.
    static void Project(double x, double y, double z, int* px, int* py)
    {
        GLdouble model[16], projection[16], wx, wy, wz;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
        *px = int(wx + 0.5);
        *py = int(wy + 0.5);
    }

    CTempDir dir;
    std::unique_ptr<CWorkingDir> cwd;
    CTextureList textures; // the cache the objects load into and draw from
    DrawContext context;   // no debug view unless a test turns it on
};

bool IsRed(const Rgb& c)
{
    return c.r > 200 && c.g < 40 && c.b < 40;
}

// Our stand-in for the table model: a cloth bed over the ball area (model
// x = ±19, y = ±30, z = 0; OpenGL x = ±19, z = ±30, y = 0) and a wooden rail on
// each long side, one unit higher.
void WriteTableModel(const std::string& path)
{
    CTestModel t;
    t.AddMaterial("cloth", 0.1f, 0.6f, 0.2f);
    t.AddMaterial("wood", 0.5f, 0.3f, 0.1f);
    t.AddTop("bed", "cloth", -19, -30, 19, 30, 0);
    t.AddTop("left", "wood", -23, -30, -19, 30, 1);
    t.AddTop("right", "wood", 19, -30, 23, 30, 1);
    for (const char* node : {"bed", "left", "right"})
        t.AddNode(node);
    ASSERT_TRUE(t.Save(path));
}

TEST_F(SceneObjects, TableShowsClothWhereTheBedIsWoodOnTheRailsAndTheBallOnTop)
{
    WriteTableModel("data/pooltable.3ds");
    ASSERT_NO_FATAL_FAILURE(WriteBmp("data/ball_0.bmp", 255, 0, 0));
    textures.Add("data/ball_0.bmp");
    std::unique_ptr<CTable> table;
    StdoutOf([&] {
        table = std::make_unique<CTable>(nullptr, &textures);
        Look(0, 80, 60, 0, 0, 0);
        table->Draw(context); // the first draw only compiles
    });
    EXPECT_EQ(table->type, 3);
    CBall ball(nullptr); // the cue ball, at scene (10, 0, 1): OpenGL (0, 1, 10)
    ball.SetTexture(textures, 0);
    Look(0, 80, 60, 0, 0, 0);
    table->Draw(context);
    glEnable(GL_TEXTURE_2D);
    ball.Draw(context);
    glDisable(GL_TEXTURE_2D);
    const Rgb bed = ReadPixel(Width / 2, Height / 2);
    EXPECT_TRUE(Near(bed, 26, 153, 51)) << bed;
    int x = 0, y = 0;
    Project(-21, 1, 0, &x, &y);
    const Rgb rail = ReadPixel(x, y);
    EXPECT_TRUE(Near(rail, 128, 77, 26)) << rail;
    Project(0, 1, 10, &x, &y);
    const Rgb red = ReadPixel(x, y);
    EXPECT_TRUE(red.r > 60 && red.g < red.r / 4 && red.b < red.r / 4) << red;
}

TEST_F(SceneObjects, GameTableModelShowsItsClothUnderTheGamesLights)
{
    cwd.reset();
    cwd = std::make_unique<CWorkingDir>(BAIZELINE_RUN_DIR);
    std::unique_ptr<CTable> table;
    const std::string out = StdoutOf([&] { table = std::make_unique<CTable>(nullptr, &textures); });
    EXPECT_NE(out.find("Lights="), std::string::npos);
    glEnable(GL_TEXTURE_2D);
    for (int frame = 0; frame < 2; ++frame) { // the first frame only compiles
        Look(0, 70, 25, 0, 0, 0);
        SetSceneLight(true); // the frame's own lighting
        StdoutOf([&] { table->Draw(context); });
    }
    glDisable(GL_TEXTURE_2D);
    const Rgb cloth = ReadPixel(Width / 2, Height / 2);
    EXPECT_TRUE(cloth.g > cloth.r + 30 && cloth.g > cloth.b + 30) << cloth;
}

TEST_F(SceneObjects, DebugPocketIsARedWireSphereAndLightingAndFillComeBack)
{
    CPot pot(nullptr, vec3(30.0f, -20.0f, -1.0f));
    EXPECT_EQ(pot.type, 2);
    // Close to the pocket, which sits at OpenGL (−20, −1, 30).
    Look(-20, 4, 38, -20, -1, 30);
    int cx = 0, cy = 0, ex = 0, ey = 0;
    Project(-20, -1, 30, &cx, &cy);
    Project(-20, 0, 30, &ex, &ey); // one radius above the centre
    const int r = std::abs(ey - cy);
    ASSERT_GT(r, 10);
    auto count = [&](int* red, int* dark) {
        *red = *dark = 0;
        for (int y = cy - r / 2; y <= cy + r / 2; ++y)
            for (int x = cx - r / 2; x <= cx + r / 2; ++x) {
                const Rgb c = ReadPixel(x, y);
                *red += IsRed(c);
                *dark += Near(c, 0, 0, 0);
            }
    };
    int red = 0, dark = 0;
    pot.Draw(context);
    count(&red, &dark);
    EXPECT_EQ(red, 0) << "drawn without debug";

    context.debug = true;
    pot.Draw(context);
    count(&red, &dark);
    EXPECT_GT(red, 10);
    EXPECT_GT(dark, 10) << "lines, not a filled sphere";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_FILL);
    EXPECT_EQ(mode[1], GL_FILL);
    // Nothing of the pocket lies outside its radius.
    EXPECT_FALSE(IsRed(ReadPixel(cx + 2 * r, cy)));
}

TEST_F(SceneObjects, DebugTableOutlineIsRedAndLeavesLightingOn)
{
    WriteTableModel("data/pooltable.3ds");
    std::unique_ptr<CTable> table;
    StdoutOf([&] {
        table = std::make_unique<CTable>(nullptr, &textures);
        context.debug = true;
        Look(0, 80, 60, 0, 0, 0);
        table->Draw(context);
    });
    Look(0, 80, 60, 0, 0, 0);
    table->Draw(context);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[1], 0.0f);
    // The near edge of the outline, scene x = 30 (OpenGL z = 30) at height 2.
    int x = 0, y = 0, red = 0;
    Project(0, 2, 30, &x, &y);
    for (int dy = -2; dy <= 2; ++dy)
        red += IsRed(ReadPixel(x, y + dy));
    EXPECT_GT(red, 0);
}

TEST_F(SceneObjects, MissingModelsRaiseTheLoadErrorWithTheGamesPaths)
{
    try {
        CTable table(nullptr, &textures);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Error loading model 'data/pooltable.3ds'");
    }
    try {
        CCue cue(nullptr, &textures);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Error loading model 'data/cue.3ds'");
    }
}

TEST_F(SceneObjects, ZeroSizeRoomDrawsAndAMissingPictureRaisesTheCachesError)
{
    for (const char* name : {"wall", "floor", "ceil"})
        ASSERT_NO_FATAL_FAILURE(WriteBmp(std::string("data/") + name + ".bmp", 200, 200, 200));
    textures.Add("data/wall.bmp");
    textures.Add("data/floor.bmp");
    CRoom room(nullptr, &textures);
    EXPECT_EQ(room.type, 4);
    Look(0, 0, 5, 0, 0, 0);
    try {
        room.Draw(context);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Unable to find 'data/ceil.bmp' in texture list");
    }
    textures.Add("data/ceil.bmp");
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_NO_THROW(room.Draw(context));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneObjects, RoomsAndModelsOutliveKillButTablesAndPocketsDoNot)
{
    WriteTableModel("data/pooltable.3ds");
    std::unique_ptr<CTable> table;
    StdoutOf([&] { table = std::make_unique<CTable>(nullptr, &textures); });
    CPot pot(nullptr);
    CRoom room(nullptr, &textures);
    CModel model(nullptr);
    EXPECT_EQ(model.type, 5);
    for (CObject* o : {static_cast<CObject*>(table.get()), static_cast<CObject*>(&pot),
                       static_cast<CObject*>(&room), static_cast<CObject*>(&model)})
        o->Kill();
    EXPECT_FALSE(table->Move(0.1f));
    EXPECT_FALSE(pot.Move(0.1f));
    EXPECT_TRUE(room.Move(0.1f));
    EXPECT_TRUE(model.Move(0.1f));
}

class Cue : public SceneObjects {
protected:
    void SetUp() override
    {
        SceneObjects::SetUp();
        CTestModel t;
        t.AddMaterial("stick", 0.8f, 0.7f, 0.5f);
        // Only the tip: a square about the model's origin, facing up.
        t.AddTop("stick", "stick", -0.5f, -0.5f, 0.5f, 0.5f, 0);
        t.AddNode("stick");
        ASSERT_TRUE(t.Save("data/cue.3ds"));
        StdoutOf([&] { cue = std::make_unique<CCue>(nullptr, &textures); });
    }
    std::unique_ptr<CCue> cue;
};

TEST_F(Cue, NewCueRestsAtMinimumPowerWithoutBallOrAngle)
{
    EXPECT_EQ(cue->type, 1);
    EXPECT_EQ(cue->state, 1);
    EXPECT_FLOAT_EQ(cue->power, 2.0f);
    EXPECT_EQ(cue->ball, nullptr);
    EXPECT_FLOAT_EQ(cue->angle, 0.0f);
}

TEST_F(Cue, SetPowerKeepsPowerBetween2And15)
{
    const struct {
        float given, kept;
    } cases[] = {{1.0f, 2.0f}, {20.0f, 15.0f}, {7.5f, 7.5f}, {0.0f, 2.0f}, {2.0f, 2.0f}, {15.0f, 15.0f}};
    for (const auto& k : cases) {
        cue->SetPower(k.given);
        EXPECT_FLOAT_EQ(cue->power, k.kept) << k.given;
    }
}

TEST_F(Cue, RestingCueIgnoresTheModelViewAndAimingCueBacksOffWithPower)
{
    CBall ball(nullptr); // scene (10, 0, 1): OpenGL (0, 1, 10)
    cue->ball = &ball;
    cue->angle = 0.0f; // the cue's tip square moves along OpenGL z
    Look(0, 30, 25, 0, 0, 3);
    cue->Draw(context); // the first draw only compiles
    const struct {
        int state;
        float power;
        double z; // where the tip lands: ball x plus the offset
    } cases[] = {{1, 9.0f, 8.0}, {2, 2.0f, 9.0}, {2, 15.0f, -4.0}};
    for (const auto& k : cases) {
        cue->state = k.state;
        cue->power = k.power;
        Look(0, 30, 25, 0, 0, 3);
        glTranslatef(3.0f, 0.0f, 0.0f); // a resting cue loads the identity over this
        cue->Draw(context);
        glLoadIdentity();
        const double shift = k.state == 1 ? 0.0 : 3.0;
        int x = 0, y = 0;
        Project(shift, 1, k.z, &x, &y);
        EXPECT_FALSE(Near(ReadPixel(x, y), 0, 0, 0)) << "state " << k.state << " power " << k.power;
        Project(shift, 1, k.z + 3.0, &x, &y);
        EXPECT_TRUE(Near(ReadPixel(x, y), 0, 0, 0)) << "state " << k.state << " power " << k.power;
        Project(3.0 - shift, 1, k.z, &x, &y);
        EXPECT_TRUE(Near(ReadPixel(x, y), 0, 0, 0)) << "state " << k.state << " power " << k.power;
    }
}

TEST_F(Cue, StruckCueHidesItselfAndHiddenOrUnknownStatesDrawNothing)
{
    CBall ball(nullptr);
    cue->ball = &ball;
    Look(0, 30, 25, 0, 0, 3);
    cue->Draw(context); // compiles
    int x = 0, y = 0;
    Project(0, 1, 8, &x, &y); // where the resting cue's tip lands
    auto drawn = [&](int state) {
        cue->state = state;
        Look(0, 30, 25, 0, 0, 3);
        cue->Draw(context);
        return !Near(ReadPixel(x, y), 0, 0, 0);
    };
    EXPECT_TRUE(drawn(1));
    EXPECT_FALSE(drawn(3));
    EXPECT_EQ(cue->state, 0);
    EXPECT_FALSE(drawn(0));
    EXPECT_EQ(cue->state, 0);
    EXPECT_FALSE(drawn(5));
    EXPECT_EQ(cue->state, 5);
    // Without a ball there is nowhere to draw the cue: nothing, and no crash.
    cue->ball = nullptr;
    EXPECT_FALSE(drawn(1));
}

TEST(CueOffset, RestingCueSitsTwoBackAndAimingCueBacksOffByPowerLessRadius)
{
    EXPECT_FLOAT_EQ(CueOffset(1, 15.0f, 1.0f), -2.0f);
    EXPECT_FLOAT_EQ(CueOffset(2, 2.0f, 1.0f), -1.0f);
    EXPECT_FLOAT_EQ(CueOffset(2, 15.0f, 1.0f), -14.0f);
    EXPECT_FLOAT_EQ(CueOffset(0, 15.0f, 1.0f), 0.0f);
}

} // namespace
