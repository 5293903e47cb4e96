// cue.3ds: a turned cue, tip at the model origin, butt along +y, one mesh with
// tip, ferrule, shaft and butt materials over regions of cue.bmp.
#include "tools/assetgen/CueModel.h"

#include "tools/assetgen/CueLayout.h"
#include "tools/assetgen/Lathe.h"
#include "tools/assetgen/ModelFile.h"
#include "tools/assetgen/TableModel.h"

#include <cmath>

#include "physics/Units.h"

namespace {

constexpr int kSegments = 20;

// Cue axis = model +y; e1 x e2 = axis with e1 = z, e2 = x.
const LatheFrame kFrame{vec3{0, 0, 0}, vec3{0, 1, 0}, vec3{0, 0, 1}, vec3{1, 0, 0}};

void AddMaterials(CModelFile& file)
{
    // Shininess 0.5 is 2^5 = 32 in the game. The butt's material is the last
    // one the game sets each frame; the balls, which set no shininess of their
    // own, keep it, so it is chosen to suit them too.
    file.AddMaterial({"cue_tip", kCueTexture, {0.6f, 0.6f, 0.6f}, {0.0f, 0.0f, 0.0f}, 0.0f});
    file.AddMaterial({"cue_ferrule", kCueTexture, {0.6f, 0.6f, 0.6f}, {0.5f, 0.5f, 0.5f}, 0.5f});
    file.AddMaterial({"cue_shaft", kCueTexture, {0.6f, 0.6f, 0.6f}, {0.3f, 0.3f, 0.3f}, 0.5f});
    file.AddMaterial({"cue_butt", kCueTexture, kRoomDiffuse, {0.3f, 0.3f, 0.3f}, 0.5f});
}

// The tip's slightly domed face, from the point on the axis at y = 0 out to
// the tip's full radius.
void AddTipDome(CMeshBuilder& mesh, const CueSection& tip)
{
    std::vector<LatheRing> rings;
    const int steps = 3;
    const float depth = 0.05f; // how far the dome's rim lies behind its centre
    // A quarter turn one float step short of HalfPi: the cue model has always
    // been made with it, and HalfPi changes the bytes of cue.3ds.
    constexpr float quarterTurn = 1.5707963f;
    static_assert(quarterTurn < HalfPi && HalfPi - quarterTurn < 2e-7f,
                  "one float step below HalfPi");
    for (int i = 0; i <= steps; ++i) {
        float f = static_cast<float>(i) / steps;
        float r = tip.r0 * std::sin(f * quarterTurn);
        float y = depth * (1.0f - std::cos(f * quarterTurn));
        rings.push_back(LatheRing{y, r, tip.u0 + 0.3f * f * (tip.u1 - tip.u0)});
    }
    AddLathe(mesh, rings, kFrame, kSegments, tip.material, kSmooth);
}

void AddSection(CMeshBuilder& mesh, const CueSection& s, float startAlong)
{
    std::vector<LatheRing> rings;
    for (int i = 0; i <= s.bands; ++i) {
        float f = static_cast<float>(i) / s.bands;
        float y = startAlong + (s.y1 - startAlong) * f;
        float g = (y - s.y0) / (s.y1 - s.y0);
        rings.push_back(LatheRing{y, s.r0 + (s.r1 - s.r0) * g, s.u0 + (s.u1 - s.u0) * g});
    }
    AddLathe(mesh, rings, kFrame, kSegments, s.material, kSmooth);
}

} // namespace

void WriteCueModel(const std::string& path)
{
    CModelFile file;
    AddMaterials(file);
    const std::vector<CueSection>& sections = CueSections();
    CMeshBuilder mesh;
    AddTipDome(mesh, sections.front());
    AddSection(mesh, sections.front(), 0.05f); // the tip's side, behind the dome's rim
    for (size_t i = 1; i < sections.size(); ++i)
        AddSection(mesh, sections[i], sections[i].y0);
    // The butt's flat end, facing +y: the last face the game draws each frame,
    // whose normal and material the room inherits (see the table's body).
    const CueSection& butt = sections.back();
    AddLathe(mesh, {{butt.y1, butt.r1, butt.u1 - 0.005f}, {butt.y1, 0.0f, butt.u1 - 0.005f}}, kFrame,
             kSegments, butt.material, kFlat);
    file.AddMesh("cue", mesh);
    file.Save(path);
}
