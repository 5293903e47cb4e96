// Surfaces of revolution (the cue, the table legs) for CMeshBuilder.
#include "tools/assetgen/Lathe.h"

#include <cmath>

#include "physics/Units.h"

namespace {

vec3 PointOnRing(const LatheFrame& f, float along, float radius, float angle)
{
    float c = std::cos(angle) * radius, s = std::sin(angle) * radius;
    return f.origin + f.axis * along + f.e1 * c + f.e2 * s;
}

// The points of one ring (a single point when the radius is 0).
std::vector<int> AddRing(CMeshBuilder& mesh, const LatheFrame& f, const LatheRing& ring, int segments)
{
    std::vector<int> ids;
    if (ring.radius <= 0.0f) {
        ids.assign(static_cast<size_t>(segments), mesh.AddPoint(PointOnRing(f, ring.along, 0.0f, 0.0f), ring.s, 0.5f));
        return ids;
    }
    for (int k = 0; k < segments; ++k) {
        float t = 1.0f - std::fabs(2.0f * k / segments - 1.0f);
        ids.push_back(mesh.AddPoint(PointOnRing(f, ring.along, ring.radius, TwoPi * k / segments),
                                    ring.s, t));
    }
    return ids;
}

} // namespace

void AddLathe(CMeshBuilder& mesh, const std::vector<LatheRing>& rings, const LatheFrame& frame,
              int segments, const std::string& material, uint32_t smoothing)
{
    std::vector<std::vector<int>> ids;
    for (const LatheRing& ring : rings)
        ids.push_back(AddRing(mesh, frame, ring, segments));
    for (size_t i = 0; i + 1 < rings.size(); ++i) {
        const std::vector<int>& a = ids[i];
        const std::vector<int>& b = ids[i + 1];
        for (int k = 0; k < segments; ++k) {
            int k1 = (k + 1) % segments;
            // Counter-clockwise from outside: a_k, a_k+1, b_k+1 then a_k, b_k+1, b_k.
            if (rings[i].radius > 0.0f)
                mesh.AddFace(a[k], a[k1], b[k1], material, smoothing);
            if (rings[i + 1].radius > 0.0f)
                mesh.AddFace(a[k], b[k1], b[k], material, smoothing);
        }
    }
}
