// Ear-clipping triangulation of flat outlines, with holes, for the model builders.
#pragma once

#include <array>
#include <vector>

struct Vec2 {
    float x = 0.0f, y = 0.0f;
};

using Outline = std::vector<Vec2>;

// Twice the signed area: positive for counter-clockwise outlines.
float SignedArea2(const Outline& outline);

// Even-odd test: true when p lies inside the outline.
bool PointInOutline(const Outline& outline, const Vec2& p);

struct Triangulation {
    std::vector<Vec2> points;                 // outer points, then each hole's
    std::vector<std::array<int, 3>> triangles; // counter-clockwise index triples
};

// Triangulates a simple outline minus simple holes that lie inside it and do
// not touch it or each other. Either winding is accepted for both. Each hole is
// joined to the outline by a bridge, then ears are cut, fattest first, so long
// thin triangles are avoided where possible. Throws std::runtime_error when
// the outline cannot be cut (it self-intersects).
Triangulation Triangulate(const Outline& outer, const std::vector<Outline>& holes = {});
