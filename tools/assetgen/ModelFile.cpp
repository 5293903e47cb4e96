// Assembles a 3DS file with lib3ds and checks what the game's loader relies on.
#include "tools/assetgen/ModelFile.h"

#include "scene/ModelRules.h"

#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

// 3DS object names are short; lib3ds advises at most 8 characters.
constexpr size_t kMaxObjectName = 8;

void CopyName(char* dst, size_t size, const std::string& name, const char* what)
{
    if (name.empty() || name.size() >= size)
        throw std::runtime_error(std::string("Bad ") + what + " name '" + name + "'");
    snprintf(dst, size, "%s", name.c_str());
}

void SetRgba(float* dst, const Colour& c)
{
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
    dst[3] = 1.0f;
}

} // namespace

CModelFile::CModelFile() : file(lib3ds_file_new())
{
    if (!file)
        throw std::runtime_error("Unable to create a 3DS file in memory");
}

CModelFile::~CModelFile()
{
    lib3ds_file_free(file);
}

void CModelFile::AddMaterial(const MaterialSpec& wanted)
{
    Lib3dsMaterial* m = lib3ds_material_new();
    if (!m)
        throw std::runtime_error("Out of memory for material '" + wanted.name + "'");
    try {
        CopyName(m->name, sizeof m->name, wanted.name, "material");
        CopyName(m->texture1_map.name, sizeof m->texture1_map.name, wanted.texture, "texture");
    } catch (...) {
        lib3ds_material_free(m);
        throw;
    }
    SetRgba(m->ambient, Colour{});
    SetRgba(m->diffuse, wanted.diffuse);
    SetRgba(m->specular, wanted.specular);
    m->shininess = wanted.shininess;
    m->texture1_map.percent = 1.0f;
    lib3ds_file_insert_material(file, m);
    materials.push_back(wanted.name);
}

void CModelFile::AddMesh(const std::string& name, const CMeshBuilder& builder)
{
    if (name.size() > kMaxObjectName)
        throw std::runtime_error("Mesh name '" + name + "' is longer than 8 characters");
    if (name <= lastMesh)
        throw std::runtime_error("Mesh '" + name + "' would not be drawn after '" + lastMesh + "'");
    // A count past what a 3DS mesh can hold is refused before it is narrowed.
    if (builder.FaceCount() > 0xFFFFFFFFu || !MeshFacesDrawn(static_cast<unsigned>(builder.FaceCount())))
        throw std::runtime_error("Mesh '" + name + "' has " + std::to_string(builder.FaceCount()) +
                                 " faces, which the game's loader would skip");
    for (const MeshFace& f : builder.Faces())
        if (std::find(materials.begin(), materials.end(), f.material) == materials.end())
            throw std::runtime_error("Mesh '" + name + "' uses unknown material '" + f.material + "'");
    lib3ds_file_insert_mesh(file, builder.Build(name));
    lastMesh = name;
    Lib3dsNode* node = lib3ds_node_new_object();
    if (!node)
        throw std::runtime_error("Out of memory for node '" + name + "'");
    snprintf(node->name, sizeof node->name, "%s", name.c_str());
    node->node_id = static_cast<Lib3dsWord>(nextNodeId++);
    node->parent_id = LIB3DS_NO_PARENT;
    lib3ds_file_insert_node(file, node);
}

void CModelFile::AddSpotLight(const vec3& position, const vec3& target)
{
    char name[32];
    snprintf(name, sizeof name, "light%02d", ++lights);
    Lib3dsLight* light = lib3ds_light_new(name);
    if (!light)
        throw std::runtime_error(std::string("Out of memory for light '") + name + "'");
    light->spot_light = LIB3DS_TRUE;
    light->color[0] = light->color[1] = light->color[2] = 1.0f;
    light->position[0] = position.x;
    light->position[1] = position.y;
    light->position[2] = position.z;
    light->spot[0] = target.x;
    light->spot[1] = target.y;
    light->spot[2] = target.z;
    light->multiplier = 1.0f;
    light->hot_spot = 90.0f;
    light->fall_off = 120.0f;
    lib3ds_file_insert_light(file, light);
}

void CModelFile::Save(const std::string& path) const
{
    if (!lib3ds_file_save(file, path.c_str()))
        throw std::runtime_error("Unable to write model '" + path + "'");
}
