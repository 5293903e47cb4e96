// The rack pieces the rules modes add: a ball re-spotted on or behind the foot spot, and the 9-ball diamond.
#include <gtest/gtest.h>

#include "physics/TableGeometry.h"
#include "play/BallInHand.h"
#include "play/NineBallRack.h"
#include "play/PracticeRack.h"
#include "play/Respot.h"

namespace {

// A potted ball comes back on the free foot spot; with a ball on the spot it
// goes behind it, touching no ball; one on the cloth is left alone.
TEST(Respot, FootSpotFirstThenBehindItOnTheString)
{
    Ball balls[BallSlots] = {};
    PlayTable table = PocketTable();
    RackPractice(balls, table, 3);
    const int eight = table.EntryOf(8), apex = table.EntryOf(1);
    EXPECT_FALSE(RespotBall(balls, table, 8)); // on the cloth: nothing to do
    table.potted[eight] = true;
    table.pocket[eight] = 2;
    for (int k = FirstBall; k <= LastBall; ++k)
        if (k != eight && k != table.EntryOf(0))
            table.potted[k] = true; // an empty table
    ASSERT_TRUE(RespotBall(balls, table, 8));
    EXPECT_FALSE(table.potted[eight]);
    EXPECT_EQ(table.pocket[eight], -1);
    EXPECT_FLOAT_EQ(balls[eight].position.x, FootSpotX);
    EXPECT_FLOAT_EQ(balls[eight].position.y, 0.0f);

    // Another ball on the spot: the 8 goes behind (toward the foot rail), free.
    table.potted[eight] = true;
    table.potted[apex] = false;
    balls[apex].position = vec3(FootSpotX, 0.0f, BallRadius);
    ASSERT_TRUE(RespotBall(balls, table, 8));
    EXPECT_LT(balls[eight].position.x, FootSpotX);
    EXPECT_EQ(CheckPlacement(balls, table, eight, balls[eight].position.x, 0.0f, false), Placement::Allowed);
    EXPECT_LT(balls[eight].position.x, FootSpotX - 2.0f * BallRadius + 0.002f); // as near as it fits
}

// The nine in a diamond: the 1 on the foot spot, the 9 in the middle, no two
// overlapping, balls 10 to 15 out of the passes, for any shuffle.
TEST(NineBallRack, DiamondWithTheOneInFrontAndTheNineInTheMiddle)
{
    for (unsigned seed : {1u, 2u, 77u}) {
        Ball balls[BallSlots] = {};
        PlayTable table = PocketTable();
        RackNineBall(balls, table, seed);
        const vec3 one = balls[table.EntryOf(1)].position, nine = balls[table.EntryOf(9)].position;
        EXPECT_FLOAT_EQ(one.x, FootSpotX);
        EXPECT_FLOAT_EQ(one.y, 0.0f);
        EXPECT_FLOAT_EQ(nine.y, 0.0f);
        EXPECT_NEAR(nine.x, FootSpotX - 2.0f * RackSpacing * 0.8660254f, 1e-5f);
        for (int k = FirstBall; k <= LastBall; ++k) {
            const int n = table.number[k];
            EXPECT_EQ(table.potted[k], n >= 10) << "ball " << n;
            if (n >= 1 && n <= 9) {
                EXPECT_EQ(CheckPlacement(balls, table, k, balls[k].position.x, balls[k].position.y, false),
                          Placement::Allowed) << "ball " << n << " overlaps";
            }
        }
    }
}

} // namespace
