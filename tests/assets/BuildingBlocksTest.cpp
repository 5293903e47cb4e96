// The generator's building blocks where a fault would slip through silently:
// the model file's guards, the pocket arcs' shared points, the PNG encoder.
#include <gtest/gtest.h>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tools/assetgen/ModelFile.h"
#include "tools/assetgen/PngFile.h"
#include "tools/assetgen/TableLayout.h"

#include <stdexcept>

namespace {

// A strip of `faces` triangles with material "m".
CMeshBuilder Strip(int faces)
{
    CMeshBuilder mesh;
    for (int i = 0; i < faces + 2; ++i)
        mesh.AddPoint(vec3{static_cast<float>(i / 2), static_cast<float>(i % 2), 0.0f}, 0.0f, 0.0f);
    for (int i = 0; i < faces; ++i)
        mesh.AddFace(i, i + 1, i + 2, "m");
    return mesh;
}

CModelFile& WithMaterial(CModelFile& file)
{
    file.AddMaterial({"m", "data/m.bmp", {0.5f, 0.5f, 0.5f}, {}, 0.0f});
    return file;
}

TEST(ModelFile, RefusesMeshesTheGameWouldSkipOrMisdraw)
{
    CModelFile file;
    WithMaterial(file);
    EXPECT_THROW(file.AddMesh("a96", Strip(96)), std::runtime_error);
    EXPECT_THROW(file.AddMesh("big", Strip(10001)), std::runtime_error);
    EXPECT_NO_THROW(file.AddMesh("b95", Strip(95)));
    EXPECT_NO_THROW(file.AddMesh("c97", Strip(97)));
    EXPECT_NO_THROW(file.AddMesh("d10000", Strip(10000)));
    CMeshBuilder unknown;
    unknown.AddPoint({}, 0, 0), unknown.AddPoint({1, 0, 0}, 0, 0), unknown.AddPoint({0, 1, 0}, 0, 0);
    unknown.AddFace(0, 1, 2, "nosuch");
    EXPECT_THROW(file.AddMesh("e", unknown), std::runtime_error);
    EXPECT_THROW(file.AddMesh("toolongname", Strip(2)), std::runtime_error);
}

TEST(ModelFile, RefusesMeshesOutOfDrawingOrder)
{
    CModelFile file;
    WithMaterial(file);
    file.AddMesh("legs", Strip(2));
    // lib3ds would sort "bed" before "legs" and the game would draw it first.
    EXPECT_THROW(file.AddMesh("bed", Strip(2)), std::runtime_error);
    EXPECT_THROW(file.AddMesh("legs", Strip(2)), std::runtime_error);
    EXPECT_NO_THROW(file.AddMesh("rails", Strip(2)));
}

TEST(TableLayout, ArcsIncludeBothEndsAndEveryTenDegreesBetween)
{
    std::vector<float> down = table::ArcAngles(74.7f, -74.7f);
    EXPECT_EQ(down.front(), 74.7f);
    EXPECT_EQ(down.back(), -74.7f);
    EXPECT_EQ(down.size(), 17u); // 70, 60, ..., -70 between
    std::vector<float> up = table::ArcAngles(0.0f, 350.0f);
    EXPECT_EQ(up.size(), 36u);
}

TEST(TableLayout, AnAngleAndItsTurnsGiveTheVeryPointThatOutlinesShare)
{
    // The bed's outline reaches a middle pocket's arc at 170 degrees; the
    // pocket's wall reaches the same point as -190.
    const Vec2 middle = table::PocketCentre(1);
    Vec2 a = table::PocketPoint(middle, 170.0f), b = table::PocketPoint(middle, -190.0f);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    // Mirrored pockets use the quadrant frame: 45 degrees points away from the table.
    EXPECT_LT(table::PocketPoint(table::PocketCentre(3), 45.0f).x, table::PocketCentre(3).x);
    EXPECT_LT(table::PocketPoint(table::PocketCentre(3), 45.0f).y, table::PocketCentre(3).y);
}

TEST(PngFile, ImageMagickReadsBackThePixels)
{
    CTempDir dir;
    Image image(3, 2, Colour{0, 0, 0});
    image.Set(0, 0, Colour{1, 0, 0});
    image.Set(2, 1, Colour{0, 0, 1});
    WritePng(dir.Path() + "/t.png", image);
    std::string text = RunCommand("/usr/bin/convert " + dir.Path() + "/t.png -depth 8 txt:- 2>&1");
    EXPECT_NE(text.find("0,0: (255,0,0)"), std::string::npos) << text;
    EXPECT_NE(text.find("2,1: (0,0,255)"), std::string::npos) << text;
    EXPECT_NE(text.find("1,1: (0,0,0)"), std::string::npos) << text;
}

} // namespace
