// Assembles a 3DS file with lib3ds: materials, meshes each with an object node
// of the same name, and lights; checks what the game's loader relies on.
#pragma once

#include "tools/assetgen/Colour.h"
#include "tools/assetgen/MeshBuilder.h"

#include <string>
#include <vector>

typedef struct Lib3dsFile Lib3dsFile;

struct MaterialSpec {
    std::string name;
    std::string texture; // path from the game's working directory, e.g. "data/cloth.bmp"
    Colour diffuse;      // the game lights with diffuse and specular only (ambient 0)
    Colour specular;
    float shininess = 0.0f; // 0..1: the game uses 2^(10 s) capped at 128
};

class CModelFile {
public:
    CModelFile();
    ~CModelFile();
    CModelFile(const CModelFile&) = delete;
    CModelFile& operator=(const CModelFile&) = delete;

    void AddMaterial(const MaterialSpec& wanted);

    // Adds the mesh and a top-level object node of the same name, both with
    // identity transforms, so the game draws the points as they are. lib3ds
    // keeps nodes sorted by name and the game draws them in that order, so
    // meshes must be added in name order: the order added is the drawing
    // order. Throws std::runtime_error when the mesh would be skipped or
    // misdrawn by the game: 96 faces or more than 10000, a face whose material
    // is unknown, a name too long for the file or out of order.
    void AddMesh(const std::string& name, const CMeshBuilder& mesh);

    // A spot light at `position` aimed at `target` (model units). The game
    // gives each light of a file an OpenGL light of its own, in the order added
    // (ModelLight in scene/ModelRules.h; the lights are named so that lib3ds's
    // sorting by name keeps that order).
    void AddSpotLight(const vec3& position, const vec3& target);

    // Writes the file; throws std::runtime_error naming it on failure.
    void Save(const std::string& path) const;

private:
    Lib3dsFile* file;
    std::vector<std::string> materials;
    std::string lastMesh;
    int nextNodeId = 0;
    int lights = 0;
};
