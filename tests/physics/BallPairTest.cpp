// BallWithBall: head-on and glancing impacts, exact touching, coinciding centres.
#include "physics/BallPair.h"
#include "tests/physics/PhysicsTest.h"

namespace {

TEST(BallWithBall, HeadOnHitLeavesTenthOfSpeedAndMovesOnlyTheHigherBall)
{
    Ball bi = MakeBall(vec3(0.099f, 0.0f, 0.05f), vec3(-1.0f, 0.0f, 0.0f));
    Ball bj = MakeBall(vec3(0.0f, 0.0f, 0.05f));
    EXPECT_TRUE(BallWithBall(bi, bj));
    EXPECT_VEC_NEAR(bi.position, 0.1, 0.0, 0.05, 1e-6);
    EXPECT_VEC_NEAR(bj.position, 0.0, 0.0, 0.05, 0.0);
    EXPECT_VEC_NEAR(bi.velocity, -0.1, 0.0, 0.0, 1e-6);
    EXPECT_VEC_NEAR(bj.velocity, -0.9, 0.0, 0.0, 1e-6);
    EXPECT_VEC_NEAR(bi.angularVelocity, 0.0, 0.0, 0.0, 0.0);
    EXPECT_VEC_NEAR(bj.angularVelocity, 0.0, 0.0, 0.0, 0.0);
}

TEST(BallWithBall, GlancingHitWithRollingSpinSharesSpinBelowTheFrictionLimit)
{
    Ball bi = MakeBall(vec3(0.09f, 0.03f, 0.05f), vec3(-1.0f, 0.0f, 0.0f), vec3(0.0f, -20.0f, 0.0f));
    Ball bj = MakeBall(vec3(0.0f, 0.0f, 0.05f));
    EXPECT_TRUE(BallWithBall(bi, bj));
    EXPECT_VEC_NEAR(bi.position, 0.094868, 0.031623, 0.05, 1e-5);
    EXPECT_VEC_NEAR(bi.velocity, -0.17571, 0.22714, 0.13553, 1e-4);
    EXPECT_VEC_NEAR(bi.angularVelocity, -2.14286, -13.57143, 2.25877, 1e-3);
    EXPECT_VEC_NEAR(bj.velocity, -0.82429, -0.22714, -0.13553, 1e-4);
    EXPECT_VEC_NEAR(bj.angularVelocity, -2.14286, 6.42857, 2.25877, 1e-3);
}

TEST(BallWithBall, BallsExactlyTouchingDoNotInteract)
{
    Ball bi = MakeBall(vec3(0.0f, 0.1f, 0.05f), vec3(0.0f, -1.0f, 0.0f));
    Ball bj = MakeBall(vec3(0.0f, 0.0f, 0.05f));
    const Ball beforeI = bi, beforeJ = bj;
    EXPECT_FALSE(BallWithBall(bi, bj));
    EXPECT_TRUE(BitEqual(bi, beforeI));
    EXPECT_TRUE(BitEqual(bj, beforeJ));
}

TEST(BallWithBall, CoincidingCentresArePartedAlongXWithoutNaN)
{
    Ball bi = MakeBall(vec3(0.3f, 0.2f, 0.05f), vec3(1.0f, 0.5f, 0.0f), vec3(0.0f, 4.0f, 0.0f));
    Ball bj = MakeBall(vec3(0.3f, 0.2f, 0.05f));
    EXPECT_TRUE(BallWithBall(bi, bj));
    EXPECT_TRUE(IsFinite(bi.position) && IsFinite(bi.velocity) && IsFinite(bi.angularVelocity));
    EXPECT_TRUE(IsFinite(bj.position) && IsFinite(bj.velocity) && IsFinite(bj.angularVelocity));
    EXPECT_VEC_NEAR(bi.position, 0.2, 0.2, 0.05, 1e-6);
    EXPECT_VEC_NEAR(bj.position, 0.3, 0.2, 0.05, 0.0);
    // Ball i drove into j along +x: the impulse hands most of that on, as head-on.
    EXPECT_NEAR(bi.velocity.x, 0.1, 1e-6);
    EXPECT_NEAR(bj.velocity.x, 0.9, 1e-6);
}

} // namespace
