// The play table's model and its physics cut the cushions at the same places, and the free table's model is as it was.
#include <gtest/gtest.h>

#include "physics/PlayTable.h"
#include "physics/TableGeometry.h"
#include "tools/assetgen/TableLayout.h"

namespace {

// A model point (x across, y along, table units) in the physics' frame, metres.
vec3 Physics(const Vec2& p)
{
    return vec3(p.y / SceneUnitsPerMetre, p.x / SceneUnitsPerMetre, 0.0f);
}

bool Near(const vec3& a, float x, float y)
{
    return std::fabs(a.x - x) < 1e-5f && std::fabs(a.y - y) < 1e-5f;
}

TEST(PlayCut, ModelCushionsAndPhysicsCushionsShareEveryNoseTipAndRailPoint)
{
    const table::CutScope cut(PlayTableCut);
    const std::vector<Outline> model = table::CushionOutlines();
    ASSERT_EQ(model.size(), static_cast<size_t>(CushionPieces));
    const CushionPiece* physics = PlayCushions();
    // Every corner of every model cushion top is a corner of some physics cushion.
    for (const Outline& top : model) {
        ASSERT_EQ(top.size(), 4u);
        for (const Vec2& corner : top) {
            const vec3 p = Physics(corner);
            bool found = false;
            for (int k = 0; k < CushionPieces && !found; ++k)
                for (int i = 0; i < 4 && !found; ++i)
                    found = Near(p, physics[k].x[i], physics[k].y[i]);
            EXPECT_TRUE(found) << "model cushion corner (" << corner.x << ", " << corner.y << ")";
        }
    }
}

TEST(PlayCut, ScopeRestoresTheFreeTableCutItsModelIsBuiltFrom)
{
    {
        const table::CutScope cut(PlayTableCut);
        EXPECT_EQ(table::ActiveCut().cornerJaw, PlayTableCut.cornerJaw);
    }
    EXPECT_EQ(table::ActiveCut().cornerJaw, FreeTableCut.cornerJaw);
    EXPECT_EQ(table::ActiveCut().middleJaw, FreeTableCut.middleJaw);
    // The free table's side cushion still ends where its model always did: 2.6 and 27 units.
    const Outline side = table::CushionOutlines()[0];
    EXPECT_EQ(side[0].y, 2.6f);
    EXPECT_EQ(side[3].y, 27.0f);
}

} // namespace
