// Ear-clipping triangulation of flat outlines, with holes.
#include "tools/assetgen/Triangulate.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

float SignedArea2(const Outline& outline)
{
    float sum = 0.0f;
    for (size_t i = 0; i < outline.size(); ++i) {
        const Vec2& a = outline[i];
        const Vec2& b = outline[(i + 1) % outline.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

bool PointInOutline(const Outline& outline, const Vec2& p)
{
    bool inside = false;
    for (size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const Vec2 &a = outline[i], &b = outline[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

namespace {

constexpr float kEps = 1e-6f;

float Cross(const Vec2& o, const Vec2& a, const Vec2& b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool Same(const Vec2& a, const Vec2& b)
{
    return std::fabs(a.x - b.x) < kEps && std::fabs(a.y - b.y) < kEps;
}

// Inside the counter-clockwise triangle abc; points on its edges count only
// when `edges` is set.
bool Inside(const Vec2& p, const Vec2& a, const Vec2& b, const Vec2& c, bool edges)
{
    float e = edges ? -kEps : kEps;
    return Cross(a, b, p) > e && Cross(b, c, p) > e && Cross(c, a, p) > e;
}

// Proper crossing of segments pq and rs (touching at ends does not count).
bool Crosses(const Vec2& p, const Vec2& q, const Vec2& r, const Vec2& s)
{
    float d1 = Cross(p, q, r), d2 = Cross(p, q, s), d3 = Cross(r, s, p), d4 = Cross(r, s, q);
    return ((d1 > kEps && d2 < -kEps) || (d1 < -kEps && d2 > kEps)) &&
           ((d3 > kEps && d4 < -kEps) || (d3 < -kEps && d4 > kEps));
}

using Ring = std::vector<int>; // indices into the point list

bool SegmentClear(const std::vector<Vec2>& pts, const std::vector<Ring>& rings, int a, int b)
{
    for (const Ring& ring : rings)
        for (size_t i = 0; i < ring.size(); ++i)
            if (Crosses(pts[a], pts[b], pts[ring[i]], pts[ring[(i + 1) % ring.size()]]))
                return false;
    return true;
}

// Splices `hole` into `ring` through a bridge from the hole's rightmost point
// to the nearest ring point the bridge can reach without crossing an edge.
void Bridge(const std::vector<Vec2>& pts, Ring& ring, const Ring& hole,
            const std::vector<Ring>& others)
{
    size_t m = 0;
    for (size_t i = 1; i < hole.size(); ++i)
        if (pts[hole[i]].x > pts[hole[m]].x)
            m = i;
    std::vector<size_t> order(ring.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const Vec2 mp = pts[hole[m]];
    auto dist = [&](size_t i) {
        float dx = pts[ring[i]].x - mp.x, dy = pts[ring[i]].y - mp.y;
        return dx * dx + dy * dy;
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return dist(a) < dist(b); });
    std::vector<Ring> all = others;
    all.push_back(ring);
    all.push_back(hole);
    for (size_t v : order) {
        if (!SegmentClear(pts, all, ring[v], hole[m]))
            continue;
        Ring merged(ring.begin(), ring.begin() + static_cast<long>(v) + 1);
        for (size_t k = 0; k <= hole.size(); ++k)
            merged.push_back(hole[(m + k) % hole.size()]);
        merged.insert(merged.end(), ring.begin() + static_cast<long>(v), ring.end());
        ring = merged;
        return;
    }
    throw std::runtime_error("Triangulate: a hole cannot be reached from the outline");
}

// Smallest angle of triangle abc, as its sine-like quality 0..1.
float Quality(const Vec2& a, const Vec2& b, const Vec2& c)
{
    auto len2 = [](const Vec2& p, const Vec2& q) {
        return (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y);
    };
    float area2 = Cross(a, b, c);
    float longest = std::max({len2(a, b), len2(b, c), len2(c, a)});
    return longest > 0.0f ? area2 / longest : 0.0f;
}

// An ear: a convex corner whose triangle holds no other point of the ring.
// `strict` also refuses a point on the triangle's edges, which would leave a
// T-junction; the lenient test is the fallback for collinear runs.
bool IsEar(const std::vector<Vec2>& pts, const Ring& ring, size_t i, bool strict)
{
    size_t n = ring.size();
    const Vec2& a = pts[ring[(i + n - 1) % n]];
    const Vec2& b = pts[ring[i]];
    const Vec2& c = pts[ring[(i + 1) % n]];
    if (Cross(a, b, c) <= kEps)
        return false;
    for (int k : ring) {
        const Vec2& p = pts[k];
        if (Same(p, a) || Same(p, b) || Same(p, c))
            continue;
        if (Inside(p, a, b, c, strict))
            return false;
    }
    return true;
}

// The fattest ear of the ring, or -1 when there is none.
long BestEar(const std::vector<Vec2>& pts, const Ring& ring, bool strict)
{
    long best = -1;
    float bestQuality = -1.0f;
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        if (!IsEar(pts, ring, i, strict))
            continue;
        float q = Quality(pts[ring[(i + n - 1) % n]], pts[ring[i]], pts[ring[(i + 1) % n]]);
        if (q > bestQuality) {
            bestQuality = q;
            best = static_cast<long>(i);
        }
    }
    return best;
}


// Adds an outline's points to `pts` in the wanted winding; answers its ring.
Ring AddRing(std::vector<Vec2>& pts, const Outline& outline, bool counterClockwise)
{
    Ring ring;
    bool flip = (SignedArea2(outline) > 0.0f) != counterClockwise;
    for (size_t i = 0; i < outline.size(); ++i) {
        ring.push_back(static_cast<int>(pts.size()));
        pts.push_back(outline[flip ? outline.size() - 1 - i : i]);
    }
    return ring;
}

// Bridges every hole into `ring`, rightmost holes first, so that later
// bridges see the earlier holes as part of the outline.
void MergeHoles(const std::vector<Vec2>& pts, Ring& ring, const std::vector<Ring>& holes)
{
    auto maxX = [&](const Ring& r) {
        float m = -1e30f;
        for (int k : r)
            m = std::max(m, pts[k].x);
        return m;
    };
    std::vector<Ring> order = holes;
    std::stable_sort(order.begin(), order.end(), [&](const Ring& a, const Ring& b) { return maxX(a) > maxX(b); });
    for (size_t i = 0; i < order.size(); ++i)
        Bridge(pts, ring, order[i], std::vector<Ring>(order.begin() + static_cast<long>(i) + 1, order.end()));
}

// Cuts ears off `ring` into `triangles` until one triangle is left.
void CutEars(const std::vector<Vec2>& pts, Ring ring, std::vector<std::array<int, 3>>& triangles)
{
    while (ring.size() > 3) {
        long best = BestEar(pts, ring, true);
        if (best < 0)
            best = BestEar(pts, ring, false);
        if (best < 0) {
            // Only collinear leftovers (no area) may remain uncut.
            Outline rest;
            for (int k : ring)
                rest.push_back(pts[k]);
            if (std::fabs(SignedArea2(rest)) < 1e-4f)
                return;
            throw std::runtime_error("Triangulate: no ear left to cut (self-intersecting outline?)");
        }
        size_t n = ring.size(), i = static_cast<size_t>(best);
        triangles.push_back({ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]});
        ring.erase(ring.begin() + best);
    }
    if (Cross(pts[ring[0]], pts[ring[1]], pts[ring[2]]) > kEps)
        triangles.push_back({ring[0], ring[1], ring[2]});
}

} // namespace

Triangulation Triangulate(const Outline& outer, const std::vector<Outline>& holes)
{
    Triangulation result;
    Ring ring = AddRing(result.points, outer, true);
    std::vector<Ring> holeRings;
    for (const Outline& hole : holes)
        holeRings.push_back(AddRing(result.points, hole, false));
    MergeHoles(result.points, ring, holeRings);
    CutEars(result.points, ring, result.triangles);
    return result;
}
