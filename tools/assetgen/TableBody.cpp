// The table's body: pockets, legs, underside and apron (model units, z up).
#include "tools/assetgen/Lathe.h"
#include "tools/assetgen/TableLayout.h"
#include "tools/assetgen/TableTop.h"

using namespace table;

namespace {

constexpr float kLeatherScale = 1.0f / 4.0f;

// The legs' turned profile, from under the body down to the floor:
// (height z, radius) pairs.
const std::vector<Vec2>& LegProfile()
{
    static const std::vector<Vec2> profile = {
        {kBodyBottom, 1.9f}, {-5.6f, 1.9f}, {-5.9f, 1.55f}, {-7.2f, 1.40f}, {-9.2f, 1.75f},
        {-11.0f, 2.00f},     {-12.8f, 1.75f}, {-15.0f, 1.35f}, {-20.0f, 1.15f}, {-23.4f, 1.05f},
        {-24.4f, 1.35f},     {-25.5f, 1.60f}, {-26.2f, 1.60f}, {kFloor, 1.45f},
    };
    return profile;
}

} // namespace

void BuildPockets(CMeshBuilder& mesh)
{
    for (int i = 0; i < kPockets; ++i) {
        Vec2 c = PocketCentre(i);
        PocketArcs arcs = ArcsOfPocket(i);
        // Liners hang from the rail (outer side) and from the bed (mouth side),
        // seen from inside the hole.
        AddWallFacing(mesh, ArcPoints(c, arcs.railFrom, arcs.railTo), kPocketBottom, kRailTop, c,
                      false, "pocket", kLeatherScale, kSmooth);
        AddWallFacing(mesh, ArcPoints(c, arcs.bedFrom, arcs.bedTo), kPocketBottom, 0.0f, c, false,
                      "pocket", kLeatherScale, kSmooth);
        Outline bottom = ArcPoints(c, 0.0f, 350.0f);
        mesh.AddFlat(bottom, {}, kPocketBottom, true, "pocket", [](const vec3& p) {
            return Vec2{p.x * kLeatherScale, p.y * kLeatherScale};
        });
    }
}

void BuildLegs(CMeshBuilder& mesh)
{
    const float legX = 20.0f, legY = 29.5f;
    for (float sx : {1.0f, -1.0f}) {
        for (float sy : {1.0f, -1.0f}) {
            // Axis pointing down (along = depth below the body's underside).
            LatheFrame frame{vec3{sx * legX, sy * legY, 0.0f}, vec3{0, 0, -1}, vec3{0, 1, 0},
                             vec3{1, 0, 0}};
            std::vector<LatheRing> rings;
            for (const Vec2& p : LegProfile())
                rings.push_back(LatheRing{-p.x, p.y, -p.x * kWoodScale});
            AddLathe(mesh, rings, frame, 20, "rail", kSmooth);
            // The foot's sole, flat on the floor.
            std::vector<LatheRing> sole = {{-kFloor, LegProfile().back().y, 0.0f}, {-kFloor, 0.0f, 0.05f}};
            AddLathe(mesh, sole, frame, 20, "rail", kFlat);
        }
    }
}

void BuildSkirt(CMeshBuilder& mesh)
{
    // The body's corners, counter-clockwise seen from above.
    const Outline outer = {{kBodyX, -kBodyY}, {kBodyX, kBodyY}, {-kBodyX, kBodyY}, {-kBodyX, -kBodyY}};
    // Underside, facing the floor.
    mesh.AddFlat(outer, {}, kBodyBottom, false, "skirt", [](const vec3& p) {
        return Vec2{p.y * kWoodScale, p.x * kWoodScale};
    });
    // The chamfer from the rail top's outer edge down to the apron.
    const Vec2 inner[4] = {{kRailTopOuterX, -kRailTopOuterY}, {kRailTopOuterX, kRailTopOuterY},
                           {-kRailTopOuterX, kRailTopOuterY}, {-kRailTopOuterX, -kRailTopOuterY}};
    for (int i = 0; i < 4; ++i) {
        int j = (i + 1) % 4;
        bool alongY = i % 2 == 0;
        TexelMap wood = [alongY](const vec3& p) {
            return alongY ? Vec2{p.y * kWoodScale, p.z * kWoodScale} : Vec2{p.x * kWoodScale, p.z * kWoodScale};
        };
        mesh.AddQuad(vec3{outer[i].x, outer[i].y, kBevelBottom}, vec3{outer[j].x, outer[j].y, kBevelBottom},
                     vec3{inner[j].x, inner[j].y, kRailTop}, vec3{inner[i].x, inner[i].y, kRailTop},
                     "rail", wood);
    }
    // The apron, walked so that its last quad is the +y end: the game draws
    // this face last, and the room, drawn next without a normal of its own,
    // inherits this face's normal (model +y, which it reads as "up").
    std::vector<Vec2> apron = {{-kBodyX, kBodyY}, {-kBodyX, -kBodyY}, {kBodyX, -kBodyY},
                               {kBodyX, kBodyY}, {-kBodyX, kBodyY}};
    AddWallFacing(mesh, apron, kBodyBottom, kBevelBottom, Vec2{0.0f, 0.0f}, true, "skirt", kWoodScale, kFlat);
}
