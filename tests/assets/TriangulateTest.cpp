// Ear clipping of the flat outlines the models are made of.
#include <gtest/gtest.h>

#include "tools/assetgen/TableLayout.h"
#include "tools/assetgen/Triangulate.h"

#include <cmath>

namespace {

float TriangleArea2(const Triangulation& t, const std::array<int, 3>& tri)
{
    const Vec2 &a = t.points[tri[0]], &b = t.points[tri[1]], &c = t.points[tri[2]];
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Checks that the triangles are all counter-clockwise and add up to `area2`.
void ExpectCovers(const Triangulation& t, float area2)
{
    float sum = 0.0f;
    for (const auto& tri : t.triangles) {
        float a = TriangleArea2(t, tri);
        EXPECT_GT(a, 0.0f);
        sum += a;
    }
    EXPECT_NEAR(sum, area2, std::fabs(area2) * 1e-4f);
}

Outline Square(float cx, float cy, float half)
{
    return {{cx - half, cy - half}, {cx + half, cy - half}, {cx + half, cy + half}, {cx - half, cy + half}};
}

TEST(Triangulate, ConcaveCombIsCoveredExactlyWithoutTJunctions)
{
    Outline comb = {{0, 0}, {5, 0}, {5, 3}, {4, 3}, {4, 1}, {3, 1}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}};
    Triangulation t = Triangulate(comb);
    EXPECT_EQ(t.triangles.size(), comb.size() - 2);
    ExpectCovers(t, SignedArea2(comb));
}

TEST(Triangulate, ClockwiseInputGivesCounterClockwiseTriangles)
{
    Outline square = Square(0, 0, 1);
    Outline clockwise(square.rbegin(), square.rend());
    ExpectCovers(Triangulate(clockwise), SignedArea2(square));
}

TEST(Triangulate, HolesAreLeftUncovered)
{
    Outline outer = Square(0, 0, 10);
    std::vector<Outline> holes = {Square(-4, 0, 1), Square(4, 3, 1.5f)};
    Triangulation t = Triangulate(outer, holes);
    ExpectCovers(t, SignedArea2(outer) - SignedArea2(holes[0]) - SignedArea2(holes[1]));
    for (const auto& tri : t.triangles) {
        float cx = (t.points[tri[0]].x + t.points[tri[1]].x + t.points[tri[2]].x) / 3.0f;
        float cy = (t.points[tri[0]].y + t.points[tri[1]].y + t.points[tri[2]].y) / 3.0f;
        EXPECT_FALSE(std::fabs(cx + 4) < 1 && std::fabs(cy) < 1);
        EXPECT_FALSE(std::fabs(cx - 4) < 1.5f && std::fabs(cy - 3) < 1.5f);
    }
}

TEST(Triangulate, TablePiecesAreSimpleAndCoveredExactly)
{
    ExpectCovers(Triangulate(table::BedOutline()), SignedArea2(table::BedOutline()));
    for (const Outline& rail : table::RailOutlines())
        ExpectCovers(Triangulate(rail), std::fabs(SignedArea2(rail)));
}

} // namespace
