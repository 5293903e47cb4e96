// Test support: small 3DS files built in memory with lib3ds and written by its own writer.
#include "tests/support/TestModel.h"

#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>

namespace {

void CopyName(char (&field)[64], const std::string& name)
{
    strncpy(field, name.c_str(), sizeof field - 1);
    field[sizeof field - 1] = '\0';
}

} // namespace

CTestModel::CTestModel() : file(lib3ds_file_new()) {}

CTestModel::~CTestModel()
{
    lib3ds_file_free(file);
}

Lib3dsMaterial* CTestModel::AddMaterial(const std::string& name, float r, float g, float b,
                                        float shininess, const std::string& texture)
{
    Lib3dsMaterial* m = lib3ds_material_new();
    CopyName(m->name, name);
    const float diffuse[4] = {r, g, b, 1.0f};
    memcpy(m->diffuse, diffuse, sizeof diffuse);
    m->shininess = shininess;
    CopyName(m->texture1_map.name, texture);
    lib3ds_file_insert_material(file, m);
    return m;
}

Lib3dsMesh* CTestModel::AddSquare(const std::string& name, const std::string& material, int faces,
                                  float x0, float z0, float x1, float z1, float depth, bool texels)
{
    Lib3dsMesh* mesh = lib3ds_mesh_new(name.c_str());
    lib3ds_mesh_new_point_list(mesh, 4);
    const float corners[4][3] = {{x0, depth, z0}, {x1, depth, z0}, {x1, depth, z1}, {x0, depth, z1}};
    for (int i = 0; i < 4; ++i)
        memcpy(mesh->pointL[i].pos, corners[i], sizeof corners[i]);
    if (texels) {
        lib3ds_mesh_new_texel_list(mesh, 4);
        const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int i = 0; i < 4; ++i)
            memcpy(mesh->texelL[i], st[i], sizeof st[i]);
    }
    lib3ds_mesh_new_face_list(mesh, faces);
    // Counter-clockwise seen from −y, so the face normal is −y.
    static const Lib3dsWord halves[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (int i = 0; i < faces; ++i) {
        Lib3dsFace& f = mesh->faceL[i];
        memcpy(f.points, halves[i % 2], sizeof f.points);
        CopyName(f.material, material);
        f.smoothing = 1;
    }
    lib3ds_file_insert_mesh(file, mesh);
    return mesh;
}

Lib3dsMesh* CTestModel::AddTop(const std::string& name, const std::string& material, float x0,
                               float y0, float x1, float y1, float height)
{
    Lib3dsMesh* mesh = lib3ds_mesh_new(name.c_str());
    lib3ds_mesh_new_point_list(mesh, 4);
    const float corners[4][3] = {{x0, y0, height}, {x1, y0, height}, {x1, y1, height}, {x0, y1, height}};
    for (int i = 0; i < 4; ++i)
        memcpy(mesh->pointL[i].pos, corners[i], sizeof corners[i]);
    lib3ds_mesh_new_face_list(mesh, 2);
    // Counter-clockwise seen from +z.
    static const Lib3dsWord halves[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (int i = 0; i < 2; ++i) {
        Lib3dsFace& f = mesh->faceL[i];
        memcpy(f.points, halves[i], sizeof f.points);
        CopyName(f.material, material);
        f.smoothing = 1;
    }
    lib3ds_file_insert_mesh(file, mesh);
    return mesh;
}

Lib3dsNode* CTestModel::AddNode(const std::string& name)
{
    Lib3dsNode* node = lib3ds_node_new_object();
    CopyName(node->name, name);
    node->node_id = Lib3dsWord(nodes++);
    node->parent_id = LIB3DS_NO_PARENT;
    // One key per track at frame 0: no move, no turn, unit scale.
    Lib3dsLin3Key* pos = lib3ds_lin3_key_new();
    lib3ds_lin3_track_insert(&node->data.object.pos_track, pos);
    Lib3dsQuatKey* rot = lib3ds_quat_key_new();
    rot->axis[2] = 1.0f;
    lib3ds_quat_track_insert(&node->data.object.rot_track, rot);
    Lib3dsLin3Key* scl = lib3ds_lin3_key_new();
    scl->value[0] = scl->value[1] = scl->value[2] = 1.0f;
    lib3ds_lin3_track_insert(&node->data.object.scl_track, scl);
    lib3ds_file_insert_node(file, node);
    return node;
}

Lib3dsLight* CTestModel::AddLight(const std::string& name, float x, float y, float z, bool spot,
                                  float tx, float ty, float tz)
{
    Lib3dsLight* light = lib3ds_light_new(name.c_str());
    const float position[3] = {x, y, z}, target[3] = {tx, ty, tz};
    memcpy(light->position, position, sizeof position);
    memcpy(light->spot, target, sizeof target);
    light->spot_light = spot;
    lib3ds_file_insert_light(file, light);
    return light;
}

bool CTestModel::Save(const std::string& path)
{
    return lib3ds_file_save(file, path.c_str()) != 0;
}
