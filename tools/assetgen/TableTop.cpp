// The table's top: bed, cushions, rails and sights (model units, z up).
#include "tools/assetgen/TableTop.h"

#include "tools/assetgen/TableLayout.h"

#include <cmath>

using namespace table;

namespace {

// Cloth repeats every 10 units; the wood (kWoodScale) runs its grain along the rail.
constexpr float kClothScale = 1.0f / 10.0f;

Vec2 ClothAt(const vec3& p)
{
    return Vec2{p.x * kClothScale, p.y * kClothScale};
}

Vec2 Centroid(const Outline& o)
{
    Vec2 c;
    for (const Vec2& p : o) {
        c.x += p.x / o.size();
        c.y += p.y / o.size();
    }
    return c;
}

} // namespace

void AddWallFacing(CMeshBuilder& mesh, const std::vector<Vec2>& path, float z0, float z1,
                   const Vec2& toward, bool away, const std::string& material, float scale,
                   uint32_t smoothing)
{
    // Left of the first segment is (-dy, dx); the wall faces right if the target is not there.
    float dx = path[1].x - path[0].x, dy = path[1].y - path[0].y;
    float mx = 0.5f * (path[0].x + path[1].x), my = 0.5f * (path[0].y + path[1].y);
    bool targetLeft = -dy * (toward.x - mx) + dx * (toward.y - my) > 0.0f;
    bool faceRight = away ? targetLeft : !targetLeft;
    mesh.AddWall(path, z0, z1, faceRight, material, scale, scale, smoothing);
}

void BuildBed(CMeshBuilder& mesh)
{
    mesh.AddFlat(BedOutline(), {}, 0.0f, true, "cloth", ClothAt);
}

void BuildCushions(CMeshBuilder& mesh)
{
    for (const Outline& top : CushionOutlines()) {
        mesh.AddFlat(top, {}, kCushionTop, true, "cushion", ClothAt);
        // Outline order: nose start, jaw end, jaw end, nose end. The exposed
        // wall runs jaw end -> nose -> jaw end and faces away from the cushion.
        std::vector<Vec2> face = {top[1], top[0], top[3], top[2]};
        AddWallFacing(mesh, face, 0.0f, kCushionTop, Centroid(top), true, "cushion", kClothScale, kFlat);
        // The rail's inner edge stands above the cushion, facing the table.
        std::vector<Vec2> step = {top[1], top[2]};
        AddWallFacing(mesh, step, kCushionTop, kRailTop, Vec2{0.0f, 0.0f}, false, "rail", kWoodScale, kFlat);
    }
}

void BuildRails(CMeshBuilder& mesh)
{
    const std::vector<Outline> sights = SightOutlines();
    for (const Outline& rail : RailOutlines()) {
        // Grain runs along the rail: along y on the sides, along x on the ends.
        Vec2 c = Centroid(rail);
        bool side = std::fabs(c.x) > std::fabs(c.y) * 0.5f;
        TexelMap wood = [side](const vec3& p) {
            return side ? Vec2{p.y * kWoodScale, p.x * kWoodScale} : Vec2{p.x * kWoodScale, p.y * kWoodScale};
        };
        // The sights inlaid in this piece are holes in its wood, filled with pearl.
        std::vector<Outline> holes;
        for (const Outline& sight : sights)
            if (PointInOutline(rail, Centroid(sight)))
                holes.push_back(sight);
        mesh.AddFlat(rail, holes, kRailTop, true, "rail", wood);
        for (const Outline& sight : holes)
            mesh.AddFlat(sight, {}, kRailTop, true, "sight", [](const vec3& p) { return Vec2{p.x, p.y}; });
    }
}
