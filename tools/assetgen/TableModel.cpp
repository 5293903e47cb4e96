// pooltable.3ds: assembles the table's meshes, materials and lights.
#include "tools/assetgen/TableModel.h"

#include "tools/assetgen/ModelFile.h"
#include "tools/assetgen/TableLayout.h"
#include "tools/assetgen/TableTop.h"

namespace {

// The game gives every material an ambient of 0 and its scene light has no
// direction, so the table is lit only by the lights in this file: colours
// below are what the lights multiply, and the textures carry the hue.
void AddTableMaterials(CModelFile& file, const char* cloth)
{
    const Colour none{};
    file.AddMaterial({"cloth", cloth, {0.55f, 0.55f, 0.55f}, none, 0.0f});
    file.AddMaterial({"cushion", cloth, {0.50f, 0.50f, 0.50f}, none, 0.0f});
    file.AddMaterial({"rail", kRailTexture, {0.55f, 0.55f, 0.55f}, {0.15f, 0.15f, 0.15f}, 0.5f});
    // The apron under the rail, in the rail's wood. Its last face is the last
    // the game draws of the table, and the room inherits this material: its
    // diffuse sets how bright the room looks (see BuildSkirt).
    file.AddMaterial({"skirt", kRailTexture, kRoomDiffuse, {0.15f, 0.15f, 0.15f}, 0.5f});
    file.AddMaterial({"pocket", kPocketTexture, {0.50f, 0.50f, 0.50f}, none, 0.0f});
    file.AddMaterial({"sight", kSightTexture, {0.70f, 0.70f, 0.70f}, {0.3f, 0.3f, 0.3f}, 0.5f});
}

// Each light becomes an OpenGL light of its own, in file order: GL_LIGHT1,
// GL_LIGHT2, GL_LIGHT4 (GL_LIGHT3 is the game's). They are positional and
// white, with no cone and no fall-off. Upward faces take the overhead light at
// full strength and the lamps on top of it, which already saturates the cloth;
// the lamps are what shade the table's sides and the balls.
void AddTableLights(CModelFile& file)
{
    const vec3 centre{0.0f, 0.0f, 0.0f};
    // Far overhead: lights every upward face evenly, like a room's ceiling.
    file.AddSpotLight(vec3{0.0f, 0.0f, 4000.0f}, centre);
    // A lamp off one corner, for the table's sides and the balls' shading.
    file.AddSpotLight(vec3{40.0f, 60.0f, 50.0f}, centre);
    // Its opposite number, softer in effect as it is further away.
    file.AddSpotLight(vec3{-60.0f, -90.0f, 60.0f}, centre);
}

void AddMesh(CModelFile& file, const char* name, void (*build)(CMeshBuilder&))
{
    CMeshBuilder mesh;
    build(mesh);
    file.AddMesh(name, mesh);
}

} // namespace

void WriteTableModel(const std::string& path)
{
    WriteTableModel(path, FreeTableCut);
}

void WriteTableModel(const std::string& path, const PocketCut& cut, const char* clothTexture)
{
    const table::CutScope scope(cut);
    CModelFile file;
    AddTableMaterials(file, clothTexture);
    AddTableLights(file);
    // Drawn in name order; the skirt goes last: its final face sets the
    // material and normal the room inherits.
    AddMesh(file, "bed", BuildBed);
    AddMesh(file, "cushions", BuildCushions);
    AddMesh(file, "legs", BuildLegs);
    AddMesh(file, "pockets", BuildPockets);
    AddMesh(file, "rails", BuildRails);
    AddMesh(file, "skirt", BuildSkirt);
    file.Save(path);
}
