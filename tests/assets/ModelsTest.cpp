// The generated 3DS models as the game's loader will see them.
#include <gtest/gtest.h>

#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include "scene/ModelRules.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

const std::string kRun = BAIZELINE_RUN_DIR;

struct FileDeleter {
    void operator()(Lib3dsFile* f) const { lib3ds_file_free(f); }
};
using Model = std::unique_ptr<Lib3dsFile, FileDeleter>;

Model Load(const std::string& name)
{
    Model m(lib3ds_file_load((kRun + "/data/" + name).c_str()));
    if (m)
        lib3ds_file_eval(m.get(), 0.0f);
    return m;
}

bool IsIdentity(const Lib3dsMatrix m)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(m[r][c] - (r == c ? 1.0f : 0.0f)) > 1e-6f)
                return false;
    return true;
}

const float* Point(const Lib3dsMesh* mesh, const Lib3dsFace& f, int corner)
{
    return mesh->pointL[f.points[corner]].pos;
}

void ExpectDrawableMesh(Lib3dsFile* file, Lib3dsMesh* mesh)
{
    SCOPED_TRACE(mesh->name);
    EXPECT_TRUE(MeshFacesDrawn(mesh->faces) && mesh->faces > 0) << mesh->faces;
    EXPECT_TRUE(IsIdentity(mesh->matrix));
    Lib3dsNode* node = lib3ds_file_node_by_name(file, mesh->name, LIB3DS_OBJECT_NODE);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->parent, nullptr);
    EXPECT_TRUE(IsIdentity(node->matrix));
    for (unsigned i = 0; i < mesh->faces; ++i) {
        const Lib3dsFace& f = mesh->faceL[i];
        Lib3dsMaterial* m = lib3ds_file_material_by_name(file, f.material);
        ASSERT_NE(m, nullptr) << "face " << i << " material '" << f.material << "'";
        for (int j = 0; j < 3; ++j)
            ASSERT_LT(f.points[j], mesh->points);
        if (m->texture1_map.name[0]) {
            ASSERT_EQ(mesh->texels, mesh->points) << "textured faces need a texel per point";
        }
        // A zero-area face has no normal and would light as garbage.
        float len = std::sqrt(f.normal[0] * f.normal[0] + f.normal[1] * f.normal[1] + f.normal[2] * f.normal[2]);
        ASSERT_NEAR(len, 1.0f, 1e-3f) << "face " << i;
    }
}

TEST(ModelFiles, EveryMeshIsOneTheGameDrawsWithItsMaterialsAndTextures)
{
    for (const char* name : {"pooltable.3ds", "cue.3ds", "pooltable_play.3ds"}) {
        SCOPED_TRACE(name);
        Model model = Load(name);
        ASSERT_TRUE(model);
        ASSERT_NE(model->meshes, nullptr);
        for (Lib3dsMesh* mesh = model->meshes; mesh; mesh = mesh->next)
            ExpectDrawableMesh(model.get(), mesh);
        for (Lib3dsNode* node = model->nodes; node; node = node->next) {
            EXPECT_EQ(node->type, LIB3DS_OBJECT_NODE);
            EXPECT_STRNE(node->name, "$$$DUMMY");
            EXPECT_NE(lib3ds_file_mesh_by_name(model.get(), node->name), nullptr) << node->name;
        }
        // The game adds each material's texture to its cache by this exact path.
        for (Lib3dsMaterial* m = model->materials; m; m = m->next) {
            std::string texture = m->texture1_map.name;
            EXPECT_EQ(texture.rfind("data/", 0), 0u) << texture;
            EXPECT_TRUE(std::filesystem::exists(kRun + "/" + texture)) << texture;
        }
    }
}

struct Bounds {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    void Add(const float* p)
    {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::fmin(lo[k], p[k]);
            hi[k] = std::fmax(hi[k], p[k]);
        }
    }
};

Bounds MeshBounds(Lib3dsMesh* mesh)
{
    Bounds b;
    for (unsigned i = 0; i < mesh->points; ++i)
        b.Add(mesh->pointL[i].pos);
    return b;
}

TEST(TableModel, BedTopIsAtZeroAndTheFeetStandOnTheFloor)
{
    Model table = Load("pooltable.3ds");
    ASSERT_TRUE(table);
    Lib3dsMesh* bed = lib3ds_file_mesh_by_name(table.get(), "bed");
    ASSERT_NE(bed, nullptr);
    Bounds b = MeshBounds(bed);
    EXPECT_EQ(b.lo[2], 0.0f);
    EXPECT_EQ(b.hi[2], 0.0f);
    // The cloth covers the playing area out to the cushion noses.
    EXPECT_GE(b.hi[0], 19.0f);
    EXPECT_GE(b.hi[1], 29.0f);
    Bounds all;
    for (Lib3dsMesh* mesh = table->meshes; mesh; mesh = mesh->next) {
        Bounds m = MeshBounds(mesh);
        all.Add(m.lo);
        all.Add(m.hi);
    }
    EXPECT_FLOAT_EQ(all.lo[2], -26.5f);
}

TEST(TableModel, CushionNosesLieOnThePhysicsPlanesAndNothingElseIntrudes)
{
    Model table = Load("pooltable.3ds");
    ASSERT_TRUE(table);
    Lib3dsMesh* cushions = lib3ds_file_mesh_by_name(table.get(), "cushions");
    ASSERT_NE(cushions, nullptr);
    // The noses: cloth faces looking straight across (x) or along (y) the table.
    int sides = 0, ends = 0;
    for (unsigned i = 0; i < cushions->faces; ++i) {
        const Lib3dsFace& f = cushions->faceL[i];
        bool side = std::fabs(f.normal[0]) > 0.99f, end = std::fabs(f.normal[1]) > 0.99f;
        if (strcmp(f.material, "cushion") || !(side || end))
            continue;
        sides += side;
        ends += end;
        for (int j = 0; j < 3; ++j) {
            const float* p = Point(cushions, f, j);
            EXPECT_NEAR(std::fabs(p[side ? 0 : 1]), side ? 19.0f : 29.0f, 0.1f) << "face " << i;
            EXPECT_LT(f.normal[side ? 0 : 1] * p[side ? 0 : 1], 0.0f) << "face " << i << " faces away";
            EXPECT_TRUE(p[2] == 0.0f || (p[2] > 0.9f && p[2] < 1.5f)) << "face " << i << " z " << p[2];
        }
    }
    EXPECT_GE(sides, 8); // four side cushions of two triangles at least
    EXPECT_GE(ends, 4);
    // Above the bed, inside the noses, there is nothing for a ball to run into.
    for (Lib3dsMesh* mesh = table->meshes; mesh; mesh = mesh->next)
        for (unsigned i = 0; i < mesh->points; ++i) {
            const float* p = mesh->pointL[i].pos;
            if (std::fabs(p[0]) < 18.9f && std::fabs(p[1]) < 28.9f) {
                EXPECT_LE(p[2], 0.0f) << mesh->name << " point " << i;
            }
        }
}

bool Covers(const Lib3dsMesh* mesh, const Lib3dsFace& f, float x, float y)
{
    float d[3];
    for (int j = 0; j < 3; ++j) {
        const float* a = Point(mesh, f, j);
        const float* b = Point(mesh, f, (j + 1) % 3);
        d[j] = (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0]);
    }
    return (d[0] >= 0 && d[1] >= 0 && d[2] >= 0) || (d[0] <= 0 && d[1] <= 0 && d[2] <= 0);
}

TEST(TableModel, SixPocketsOpenWhereTheGameMarksThem)
{
    Model table = Load("pooltable.3ds");
    ASSERT_TRUE(table);
    // Scene (x, y) markers (+-30, +-20) and (0, +-20) are model (y, x).
    const float pockets[6][2] = {{20, 30}, {20, 0}, {20, -30}, {-20, -30}, {-20, 0}, {-20, 30}};
    for (const auto& pocket : pockets) {
        bool bottom = false;
        for (Lib3dsMesh* mesh = table->meshes; mesh; mesh = mesh->next)
            for (unsigned i = 0; i < mesh->faces; ++i) {
                const Lib3dsFace& f = mesh->faceL[i];
                if (f.normal[2] < 0.5f || !Covers(mesh, f, pocket[0], pocket[1]))
                    continue;
                float z = Point(mesh, f, 0)[2];
                EXPECT_LT(z, -3.0f) << mesh->name << " covers the pocket at " << pocket[0] << ", " << pocket[1];
                bottom = bottom || !strcmp(mesh->name, "pockets");
            }
        EXPECT_TRUE(bottom) << "pocket at " << pocket[0] << ", " << pocket[1] << " has no bottom";
    }
}

// The horizontal direction from the face's centroid to (cx, cy), dotted with its normal.
float FacingToward(const Lib3dsMesh* mesh, const Lib3dsFace& f, float cx, float cy)
{
    float mx = 0, my = 0;
    for (int j = 0; j < 3; ++j) {
        mx += Point(mesh, f, j)[0] / 3;
        my += Point(mesh, f, j)[1] / 3;
    }
    return f.normal[0] * (cx - mx) + f.normal[1] * (cy - my);
}

TEST(TableModel, FacesShowOnTheSideTheyAreSeenFrom)
{
    Model table = Load("pooltable.3ds");
    ASSERT_TRUE(table);
    Lib3dsMesh* bed = lib3ds_file_mesh_by_name(table.get(), "bed");
    ASSERT_NE(bed, nullptr);
    for (unsigned i = 0; i < bed->faces; ++i)
        EXPECT_GT(bed->faceL[i].normal[2], 0.99f);
    // Pocket liners are seen from inside the hole.
    Lib3dsMesh* pockets = lib3ds_file_mesh_by_name(table.get(), "pockets");
    ASSERT_NE(pockets, nullptr);
    for (unsigned i = 0; i < pockets->faces; ++i) {
        const Lib3dsFace& f = pockets->faceL[i];
        if (std::fabs(f.normal[2]) > 0.5f)
            continue;
        float px = Point(pockets, f, 0)[0] > 0 ? 20.0f : -20.0f;
        float y = Point(pockets, f, 0)[1];
        float py = std::fabs(y) < 15.0f ? 0.0f : (y > 0 ? 30.0f : -30.0f);
        EXPECT_GT(FacingToward(pockets, f, px, py), 0.0f) << "pocket face " << i;
    }
    // The apron and the legs face away from the table's centre and the legs' axes.
    Lib3dsMesh* skirt = lib3ds_file_mesh_by_name(table.get(), "skirt");
    ASSERT_NE(skirt, nullptr);
    for (unsigned i = 0; i < skirt->faces; ++i) {
        if (std::fabs(skirt->faceL[i].normal[2]) < 0.5f) {
            EXPECT_LT(FacingToward(skirt, skirt->faceL[i], 0.0f, 0.0f), 0.0f) << "skirt face " << i;
        }
    }
    Lib3dsMesh* legs = lib3ds_file_mesh_by_name(table.get(), "legs");
    ASSERT_NE(legs, nullptr);
    for (unsigned i = 0; i < legs->faces; ++i) {
        const Lib3dsFace& f = legs->faceL[i];
        if (std::fabs(f.normal[2]) > 0.9f)
            continue;
        float lx = Point(legs, f, 0)[0] > 0 ? 20.0f : -20.0f, ly = Point(legs, f, 0)[1] > 0 ? 29.5f : -29.5f;
        EXPECT_LT(FacingToward(legs, f, lx, ly), 0.0f) << "leg face " << i;
    }
}

TEST(TableModel, ItsLightsAreSpotsAboveTheTableEachWithAGlLightOfItsOwn)
{
    Model table = Load("pooltable.3ds");
    ASSERT_TRUE(table);
    int count = 0;
    for (Lib3dsLight* light = table->lights; light; light = light->next, ++count) {
        EXPECT_TRUE(light->spot_light) << light->name;
        EXPECT_GT(light->position[2], 20.0f) << light->name;
    }
    EXPECT_GE(count, 2);
    // The game loads the cue first, which must bring no lights: the count
    // starts again for every file, and the table's would land on the cue's.
    Model cue = Load("cue.3ds");
    ASSERT_TRUE(cue);
    EXPECT_EQ(cue->lights, nullptr);
    // A light past the game's free GL lights would be dropped.
    EXPECT_NE(ModelLight(count - 1), 0u);
}

TEST(ModelFiles, LastFaceDrawnFacesModelPlusYWithALitMaterial)
{
    // The room is drawn right after the models and sets neither normal nor
    // material: it inherits both from the last face drawn.
    for (const char* name : {"pooltable.3ds", "cue.3ds", "pooltable_play.3ds"}) {
        Model model = Load(name);
        ASSERT_TRUE(model);
        Lib3dsNode* last = model->nodes;
        ASSERT_NE(last, nullptr) << name;
        while (last->next)
            last = last->next;
        Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(model.get(), last->name);
        ASSERT_NE(mesh, nullptr);
        ASSERT_GT(mesh->faces, 0u) << name;
        const Lib3dsFace& f = mesh->faceL[mesh->faces - 1];
        EXPECT_NEAR(f.normal[1], 1.0f, 1e-4f) << name;
        EXPECT_EQ(f.smoothing, 0u) << name;
        Lib3dsMaterial* m = lib3ds_file_material_by_name(model.get(), f.material);
        ASSERT_NE(m, nullptr);
        EXPECT_GT(m->diffuse[0] + m->diffuse[1] + m->diffuse[2], 1.2f) << name;
    }
}

TEST(CueModel, TipAtTheOriginButtAlongPlusY)
{
    Model cue = Load("cue.3ds");
    ASSERT_TRUE(cue);
    ASSERT_NE(cue->meshes, nullptr);
    Lib3dsMesh* mesh = cue->meshes;
    Bounds b = MeshBounds(mesh);
    EXPECT_EQ(b.lo[1], 0.0f);
    EXPECT_NEAR(b.hi[1], 29.0f, 0.5f);
    float tipRadius = 0, buttRadius = 0;
    bool apex = false;
    for (unsigned i = 0; i < mesh->points; ++i) {
        const float* p = mesh->pointL[i].pos;
        float r = std::hypot(p[0], p[2]);
        apex = apex || (p[1] == 0.0f && r == 0.0f);
        if (p[1] < 0.3f)
            tipRadius = std::fmax(tipRadius, r);
        buttRadius = std::fmax(buttRadius, r);
    }
    EXPECT_TRUE(apex);
    EXPECT_NEAR(tipRadius * 2, 0.3f, 0.02f);
    EXPECT_NEAR(buttRadius * 2, 0.8f, 0.02f);
    for (const char* material : {"cue_tip", "cue_ferrule", "cue_shaft", "cue_butt"}) {
        bool used = false;
        for (unsigned i = 0; i < mesh->faces; ++i)
            used = used || !strcmp(mesh->faceL[i].material, material);
        EXPECT_TRUE(used) << material;
    }
    // Every face looks away from the axis, or along it at the two ends.
    for (unsigned i = 0; i < mesh->faces; ++i) {
        const Lib3dsFace& f = mesh->faceL[i];
        float outward = 0;
        for (int j = 0; j < 3; ++j)
            outward += f.normal[0] * Point(mesh, f, j)[0] + f.normal[2] * Point(mesh, f, j)[2];
        float y = std::fmax(Point(mesh, f, 0)[1], std::fmax(Point(mesh, f, 1)[1], Point(mesh, f, 2)[1]));
        if (y < 0.051f) {
            EXPECT_LT(f.normal[1], 0.0f) << "tip face " << i;
        } else if (Point(mesh, f, 0)[1] > 28.99f && std::fabs(f.normal[1]) > 0.9f) {
            EXPECT_GT(f.normal[1], 0.0f) << "butt face " << i;
        } else {
            EXPECT_GT(outward, 0.0f) << "face " << i;
        }
    }
}

} // namespace
