// 3DS model loading and drawing under a real GL context: lists, materials, textures, lights, errors.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "scene/DrawContext.h"
#include "scene/Model.h"
#include "scene/TextureList.h"
#include "tests/support/Bitmap.h"
#include "tests/support/Capture.h"
#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestModel.h"

namespace {

// Identity matrices, no depth test, no culling, no texturing, one white
// directional light along OpenGL +z with no specular: a face of diffuse colour
// c facing +z shows c.
class ModelRender : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        glEnable(GL_LIGHTING);
        const GLfloat none[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1}, front[4] = {0, 0, 1, 0};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
        glEnable(GL_LIGHT0);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, none);
        glLightfv(GL_LIGHT0, GL_POSITION, front);
        for (GLenum l = GL_LIGHT1; l <= GL_LIGHT7; ++l)
            glDisable(l);
        glClearColor(0, 0, 0, 1);
    }
    void TearDown() override
    {
        for (GLenum l = GL_LIGHT0; l <= GL_LIGHT7; ++l)
            glDisable(l);
        glDisable(GL_LIGHTING);
    }

    // Clears, renders the model once and reads a pixel (default: the centre).
    Rgb RenderAndRead(CObject& object, int x = 160, int y = 120)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        object.Render();
        return ReadPixel(x, y);
    }

    // Loads `path` into a new model object with `cache` (or a private empty one).
    void LoadQuietly(CModel& m, const std::string& path, CTextureList* cache = nullptr)
    {
        StdoutOf([&] { m.Load(path.c_str(), cache ? cache : &spare); });
    }

    // Loads as above and renders once: the first render only compiles the
    // display lists (printing face counts), so the next one draws.
    void LoadAndCompile(CModel& m, const std::string& path, CTextureList* cache = nullptr)
    {
        LoadQuietly(m, path, cache);
        StdoutOf([&] { RenderAndRead(m); });
    }

    std::string Save(CTestModel& model, const std::string& name)
    {
        const std::string path = dir.Path() + "/" + name;
        EXPECT_TRUE(model.Save(path));
        return path;
    }

    CTempDir dir;
    CTextureList spare;
};

// A square filling the window from OpenGL (−1, −1) to (1, 1), of `faces` faces.
void AddScreenSquare(CTestModel& m, int faces = 2, const std::string& material = "green")
{
    m.AddMaterial("green", 0.2f, 0.6f, 0.4f);
    m.AddSquare("sq", material, faces, -1, -1, 1, 1);
    m.AddNode("sq");
}

TEST_F(ModelRender, FirstRenderOnlyCompilesTheNodeAndTheSecondDrawsIt)
{
    CTestModel t;
    AddScreenSquare(t);
    CModel m(nullptr);
    LoadQuietly(m, Save(t, "square.3ds"));
    Lib3dsNode* node = m.model->nodes;
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->user.d, 0u);
    Rgb first{};
    EXPECT_EQ(StdoutOf([&] { first = RenderAndRead(m); }), "2\n"); // the face count, once compiled
    EXPECT_TRUE(Near(first, 0, 0, 0)) << first;
    EXPECT_TRUE(glIsList(node->user.d));
    const Rgb second = RenderAndRead(m);
    EXPECT_TRUE(Near(second, 51, 153, 102)) << second;
}

TEST_F(ModelRender, DummyNodeDrawsNothingAndIsNeverCompiled)
{
    CTestModel t;
    t.AddMaterial("green", 0.2f, 0.6f, 0.4f);
    t.AddSquare("$$$DUMMY", "green", 2, -1, -1, 1, 1);
    t.AddNode("$$$DUMMY");
    CModel m(nullptr);
    LoadQuietly(m, Save(t, "dummy.3ds"));
    RenderAndRead(m);
    const Rgb c = RenderAndRead(m);
    EXPECT_TRUE(Near(c, 0, 0, 0)) << c;
    EXPECT_EQ(m.model->nodes->user.d, 0u);
}

TEST_F(ModelRender, MeshesOf96OrMoreThan10000FacesAreNotDrawn)
{
    const struct {
        int faces;
        bool drawn;
    } cases[] = {{95, true}, {96, false}, {97, true}, {10000, true}, {10001, false}};
    for (const auto& k : cases) {
        CTestModel t;
        AddScreenSquare(t, k.faces);
        CModel m(nullptr);
        LoadQuietly(m, Save(t, "faces.3ds"));
        EXPECT_EQ(StdoutOf([&] { RenderAndRead(m); }), std::to_string(k.faces) + "\n");
        const Rgb c = RenderAndRead(m);
        EXPECT_EQ(!Near(c, 0, 0, 0), k.drawn) << k.faces << " faces: " << c;
    }
}

// The material state the last face of the list left behind, after replaying it.
struct MaterialState {
    GLfloat ambient[4], diffuse[4], specular[4], shininess;
};

MaterialState ReadMaterial()
{
    MaterialState s;
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, s.ambient);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, s.diffuse);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, s.specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &s.shininess);
    return s;
}

// Puts values into the current material that no rule of the renderer gives.
void ScrambleMaterial()
{
    const GLfloat odd[4] = {0.37f, 0.41f, 0.43f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, odd);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, odd);
    glMaterialfv(GL_FRONT, GL_SPECULAR, odd);
    glMaterialf(GL_FRONT, GL_SHININESS, 7.0f);
}

TEST_F(ModelRender, ShininessIsTwoToTenTimesTheFileValueAtMost128AndAmbientIsBlack)
{
    const struct {
        float file, gl;
    } cases[] = {{0.5f, 32.0f}, {0.8f, 128.0f}, {0.0f, 1.0f}};
    for (const auto& k : cases) {
        CTestModel t;
        Lib3dsMaterial* mat = t.AddMaterial("shiny", 0.2f, 0.6f, 0.4f, k.file);
        mat->ambient[0] = mat->ambient[1] = mat->ambient[2] = 1.0f; // ignored by the renderer
        mat->specular[0] = 0.5f;
        t.AddSquare("sq", "shiny", 2, -1, -1, 1, 1);
        t.AddNode("sq");
        CModel m(nullptr);
        LoadAndCompile(m, Save(t, "shiny.3ds"));
        ScrambleMaterial();
        RenderAndRead(m);
        const MaterialState s = ReadMaterial();
        EXPECT_FLOAT_EQ(s.shininess, k.gl) << "shininess " << k.file;
        EXPECT_FLOAT_EQ(s.ambient[0], 0.0f);
        EXPECT_FLOAT_EQ(s.ambient[3], 1.0f);
        EXPECT_NEAR(s.diffuse[1], 0.6f, 0.01f);
        EXPECT_NEAR(s.specular[0], 0.5f, 0.01f);
    }
}

TEST_F(ModelRender, FaceWithoutMaterialOrWithAnUnknownOneGetsTheDefaults)
{
    for (const std::string material : {"", "nowhere"}) {
        CTestModel t;
        AddScreenSquare(t, 2, material);
        CModel m(nullptr);
        LoadAndCompile(m, Save(t, "plain.3ds"));
        ScrambleMaterial();
        const Rgb c = RenderAndRead(m);
        const MaterialState s = ReadMaterial();
        EXPECT_FLOAT_EQ(s.ambient[0], 0.2f) << "material '" << material << "'";
        EXPECT_FLOAT_EQ(s.diffuse[0], 0.8f);
        EXPECT_FLOAT_EQ(s.specular[0], 0.0f);
        EXPECT_FLOAT_EQ(s.shininess, 7.0f); // not set for a face without material
        EXPECT_TRUE(Near(c, 204, 204, 204)) << c;
    }
}

TEST_F(ModelRender, NeighbouringFacesOfDifferentMaterialsEachKeepTheirOwn)
{
    // Four faces: the square's two halves twice, red, blue, red, blue. The
    // lower-right half is drawn by faces 0 and 2, the upper-left by 1 and 3.
    CTestModel t;
    t.AddMaterial("red", 1.0f, 0.0f, 0.0f);
    t.AddMaterial("blue", 0.0f, 0.0f, 1.0f);
    Lib3dsMesh* mesh = t.AddSquare("sq", "red", 4, -1, -1, 1, 1);
    strcpy(mesh->faceL[1].material, "blue");
    strcpy(mesh->faceL[3].material, "blue");
    t.AddNode("sq");
    CModel m(nullptr);
    LoadAndCompile(m, Save(t, "halves.3ds"));
    const Rgb lowerRight = RenderAndRead(m, 240, 60);
    const Rgb upperLeft = RenderAndRead(m, 80, 180);
    EXPECT_TRUE(Near(lowerRight, 255, 0, 0)) << lowerRight;
    EXPECT_TRUE(Near(upperLeft, 0, 0, 255)) << upperLeft;
    // The list leaves the last face's material set.
    EXPECT_NEAR(ReadMaterial().diffuse[2], 1.0f, 0.01f);
}

TEST_F(ModelRender, TexturedMaterialsFillTheCacheAndDrawTexturedOnlyWithCoordinates)
{
    const std::string picture = dir.Path() + "/red.bmp";
    ASSERT_NO_FATAL_FAILURE(WriteBmp(picture, 255, 0, 0));
    CTextureList cache;

    CTestModel plain;
    AddScreenSquare(plain);
    CModel untextured(nullptr);
    LoadQuietly(untextured, Save(plain, "plain.3ds"), &cache);
    EXPECT_EQ(untextured.textureList, nullptr);
    EXPECT_TRUE(cache.entries.empty());

    for (bool coordinates : {true, false}) {
        CTestModel t;
        t.AddMaterial("paint", 1.0f, 1.0f, 1.0f, 0.0f, picture);
        t.AddSquare("sq", "paint", 2, -1, -1, 1, 1, 0, coordinates);
        t.AddNode("sq");
        CModel m(nullptr);
        LoadAndCompile(m, Save(t, "paint.3ds"), &cache);
        EXPECT_EQ(m.textureList, &cache);
        ASSERT_FALSE(cache.entries.empty());
        const GLuint id = cache.Get(picture)->id;
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        const Rgb c = RenderAndRead(m);
        GLint bound = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glDisable(GL_TEXTURE_2D);
        if (coordinates) {
            EXPECT_EQ(GLuint(bound), id);
            EXPECT_TRUE(Near(c, 255, 0, 0)) << c;
        } else {
            // No coordinates to read: the face binds nothing and shows its material.
            EXPECT_EQ(bound, 0);
            EXPECT_TRUE(Near(c, 255, 255, 255)) << c;
        }
    }
}

TEST_F(ModelRender, MissingOrBrokenFileRaisesTheLoadErrorWithThePathAsGiven)
{
    CModel m(nullptr);
    const std::string absent = dir.Path() + "/../nowhere/none.3ds";
    try {
        m.Load(absent.c_str(), &spare);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Error loading model '" + absent + "'");
    }
    EXPECT_EQ(m.model, nullptr);

    const std::string broken = dir.Write("broken.3ds", std::string("MM\x10\0\0\0\x3D\x3D\xff\xff\0\0\0\0\0\0", 16));
    EXPECT_EQ(ErrorOf([&] { m.Load(broken.c_str(), &spare); }),
              "Error loading model '" + broken + "'");

    try {
        m.Render();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Can't render empty model");
    }
    EXPECT_THROW(m.Draw(DrawContext{}), std::runtime_error);
}

TEST_F(ModelRender, MissingTextureRaisesWithModelAndMapNameAndSetsUpNoLight)
{
    // 63 characters: the longest name a 64-byte field holds.
    const std::string map = "data/" + std::string(54, 'x') + ".bmp";
    ASSERT_EQ(map.size(), 63u);
    CTestModel t;
    t.AddMaterial("paint", 1, 1, 1, 0, map);
    t.AddSquare("sq", "paint", 2, -1, -1, 1, 1, 0, true);
    t.AddNode("sq");
    t.AddLight("lamp", 0, 0, 5);
    const std::string path = Save(t, "missing.3ds");
    CModel m(nullptr);
    try {
        m.Load(path.c_str(), &spare);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to load model '" + path + "': can't find texture '" + map + "'");
    }
    EXPECT_NE(m.model, nullptr);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

TEST_F(ModelRender, EachLightGetsItsOwnGlLightSkippingTheGamesLightAndStoppingAtTheLast)
{
    CTestModel t;
    t.AddSquare("sq", "", 2, -1, -1, 1, 1);
    t.AddNode("sq");
    t.AddLight("l0", 1, 2, 3, true, 1, 2, -7); // a spot aimed straight down the model's z
    for (int i = 1; i < 8; ++i)
        t.AddLight("l" + std::to_string(i), float(i), 0, 10);
    const std::string path = Save(t, "lights.3ds");
    CModel m(nullptr);
    const std::string out = StdoutOf([&] { m.Load(path.c_str(), &spare); });
    EXPECT_NE(out.find("Light 'l6' ignored"), std::string::npos) << out;
    EXPECT_NE(out.find("Light 'l7' ignored"), std::string::npos) << out;
    EXPECT_NE(out.find("Lights=6\n"), std::string::npos) << out;

    GLfloat p[4], d[3];
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0)); // as the test set it up
    glGetLightfv(GL_LIGHT0, GL_POSITION, p);
    EXPECT_FLOAT_EQ(p[2], 1);
    EXPECT_FLOAT_EQ(p[3], 0);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
    for (GLenum l : {GL_LIGHT1, GL_LIGHT2, GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7})
        EXPECT_TRUE(glIsEnabled(l)) << "GL_LIGHT" << l - GL_LIGHT0;
    // Model (x, y, z) is OpenGL (x, z, −y); the model-view was identity.
    glGetLightfv(GL_LIGHT1, GL_POSITION, p);
    EXPECT_FLOAT_EQ(p[0], 1);
    EXPECT_FLOAT_EQ(p[1], 3);
    EXPECT_FLOAT_EQ(p[2], -2);
    EXPECT_FLOAT_EQ(p[3], 1);
    glGetLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, d);
    EXPECT_NEAR(d[0], 0, 1e-5);
    EXPECT_NEAR(d[1], -10, 1e-5);
    EXPECT_NEAR(d[2], 0, 1e-5);
    glGetLightfv(GL_LIGHT5, GL_POSITION, p); // l3 went to the fourth free light
    EXPECT_FLOAT_EQ(p[0], 3);
    EXPECT_FLOAT_EQ(p[1], 10);
}

TEST_F(ModelRender, MeshMatrixIsUndoneAndPositionMovesTheModel)
{
    CTestModel t;
    t.AddMaterial("green", 0.2f, 0.6f, 0.4f);
    // Points stored where the mesh's matrix put them: half a unit along x.
    Lib3dsMesh* mesh = t.AddSquare("sq", "green", 2, -0.5f, -1, 0.5f, 1);
    mesh->matrix[3][0] = 0.5f;
    t.AddNode("sq");
    CModel m(nullptr);
    LoadAndCompile(m, Save(t, "moved.3ds"));
    EXPECT_FALSE(Near(RenderAndRead(m, 60, 120), 0, 0, 0)); // OpenGL x −0.6
    EXPECT_TRUE(Near(RenderAndRead(m, 260, 120), 0, 0, 0)); // OpenGL x +0.6
    m.position = vec3(1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(Near(RenderAndRead(m, 60, 120), 0, 0, 0));
    EXPECT_FALSE(Near(RenderAndRead(m, 260, 120), 0, 0, 0));
}

TEST_F(ModelRender, MeshesWithoutNodesOrUnderACameraNodeAreDrawn)
{
    // No keyframe section at all: the mesh draws where its points are stored,
    // its matrix (half a unit along x) not undone.
    CTestModel bare;
    bare.AddMaterial("green", 0.2f, 0.6f, 0.4f);
    Lib3dsMesh* mesh = bare.AddSquare("sq", "green", 2, -0.5f, -1, 0.5f, 1);
    mesh->matrix[3][0] = 0.5f;
    CModel a(nullptr);
    LoadAndCompile(a, Save(bare, "bare.3ds"));
    ASSERT_NE(a.model->nodes, nullptr);
    EXPECT_TRUE(Near(RenderAndRead(a), 51, 153, 102)) << RenderAndRead(a);
    EXPECT_TRUE(Near(RenderAndRead(a, 60, 120), 0, 0, 0)); // OpenGL x −0.6
    EXPECT_TRUE(Near(RenderAndRead(a, 260, 120), 0, 0, 0)); // OpenGL x +0.6

    // A mesh node whose parent is a camera node: lib3ds nests it there.
    CTestModel nested;
    AddScreenSquare(nested);
    nested.file->nodes->parent_id = 7;
    Lib3dsNode* camera = lib3ds_node_new_camera();
    strcpy(camera->name, "cam");
    camera->node_id = 7;
    camera->parent_id = LIB3DS_NO_PARENT;
    lib3ds_file_insert_node(nested.file, camera);
    CModel b(nullptr);
    LoadAndCompile(b, Save(nested, "nested.3ds"));
    ASSERT_NE(b.model->nodes, nullptr);
    ASSERT_EQ(b.model->nodes->type, LIB3DS_CAMERA_NODE);
    ASSERT_NE(b.model->nodes->childs, nullptr);
    EXPECT_TRUE(Near(RenderAndRead(b), 51, 153, 102)) << RenderAndRead(b);
}

TEST_F(ModelRender, TextureIsLookedForBesideTheModelSecondAndANonBmpIsNamedAsOne)
{
    // The game's working directory and a model folder with its own pictures.
    const std::string run = dir.Path() + "/run", models = dir.Path() + "/models";
    ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
    ASSERT_EQ(mkdir(models.c_str(), 0700), 0);
    ASSERT_NO_FATAL_FAILURE(WriteBmp(models + "/pic.bmp", 255, 0, 0));
    ASSERT_NO_FATAL_FAILURE(WriteBmp(run + "/pic.bmp", 0, 0, 255));
    const std::string png = models + "/photo.png";
    ASSERT_EQ(system(("/usr/bin/convert -size 4x4 xc:red '" + png + "'").c_str()), 0)
        << "ImageMagick's convert is needed (tools/install-deps.sh installs it)";
    const auto modelNaming = [&](const std::string& name, const std::string& map) {
        CTestModel t;
        t.AddMaterial("paint", 1, 1, 1, 0, map);
        t.AddSquare("sq", "paint", 2, -1, -1, 1, 1, 0, true);
        t.AddNode("sq");
        const std::string path = models + "/" + name;
        EXPECT_TRUE(t.Save(path));
        return path;
    };
    const std::string model = modelNaming("m.3ds", "pic.bmp");
    const std::string photo = modelNaming("photo.3ds", "PHOTO.PNG");
    ASSERT_EQ(rename(png.c_str(), (models + "/PHOTO.PNG").c_str()), 0);
    CWorkingDir inRun(run);
    glEnable(GL_TEXTURE_2D);
    for (bool inWorkingDir : {true, false}) {
        if (!inWorkingDir) {
            ASSERT_EQ(remove((run + "/pic.bmp").c_str()), 0);
        }
        CTextureList cache;
        CModel m(nullptr);
        LoadAndCompile(m, model, &cache);
        ASSERT_EQ(cache.entries.size(), 1u);
        EXPECT_NE(cache.Get("pic.bmp"), nullptr); // under the name the model gives
        const Rgb c = RenderAndRead(m);
        if (inWorkingDir) {
            EXPECT_TRUE(Near(c, 0, 0, 255)) << "the name as written comes first: " << c;
        } else {
            EXPECT_TRUE(Near(c, 255, 0, 0)) << "then beside the model: " << c;
        }
    }
    glDisable(GL_TEXTURE_2D);
    CModel p(nullptr);
    EXPECT_EQ(ErrorOf([&] { StdoutOf([&] { p.Load(photo.c_str(), &spare); }); }),
              "Unable to load model '" + photo + "': texture '" + models +
                  "/PHOTO.PNG' is there but is not a BMP");
}

} // namespace
