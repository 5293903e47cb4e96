// BallWithSurface: the bed and cushion contacts against worked figures.
#include "physics/Contact.h"
#include "physics/ContactMaterial.h"
#include "tests/physics/PhysicsTest.h"

namespace {

const vec3 BedPoint(0.0f, 0.0f, 0.0f);

TEST(BallWithSurface, ExactTouchIsNoContact)
{
    Ball b = MakeBall(vec3(0.0f, 0.0f, 0.05f), vec3(1.0f, 0.0f, -0.5f), vec3(0.0f, 3.0f, 0.0f));
    const Ball before = b;
    EXPECT_EQ(BallWithSurface(b, BedPoint, MaterialBed), 0);
    EXPECT_TRUE(BitEqual(b, before));
}

TEST(BallWithSurface, CentreOnTheSurfacePointIsNoContactAndNoNaN)
{
    Ball b = MakeBall(vec3(0.3f, 0.2f, 0.0f), vec3(1.0f, 0.0f, -0.5f));
    const Ball before = b;
    EXPECT_EQ(BallWithSurface(b, vec3(0.3f, 0.2f, 0.0f), MaterialBed), 0);
    EXPECT_TRUE(BitEqual(b, before));
}

TEST(BallWithSurface, SlidingBallIsLiftedSlowedAndSpunAtTheCoulombLimit)
{
    Ball b = MakeBall(vec3(0.0f, 0.0f, 0.04f), vec3(1.0f, 0.0f, -0.04f));
    EXPECT_EQ(BallWithSurface(b, BedPoint, MaterialBed), 1);
    EXPECT_VEC_NEAR(b.position, 0.0, 0.0, 0.05, 1e-7);
    EXPECT_VEC_NEAR(b.velocity, 0.9664, 0.0, 0.008, 1e-6);
    // 1.68 rad/s from friction, less the rolling resistance factor 0.9714.
    EXPECT_VEC_NEAR(b.angularVelocity, 0.0, 1.68 * (1.0 - 0.0048 * 0.001 / (1.68 * 0.0001)), 0.0,
                    1e-5);
    EXPECT_NEAR(b.angularVelocity.y, 1.632, 1e-5);
}

TEST(BallWithSurface, RollingBallFeelsOnlyRollingResistance)
{
    Ball b = MakeBall(vec3(0.0f, 0.0f, 0.049f), vec3(1.0f, 0.0f, -0.04f), vec3(0.0f, 20.0f, 0.0f));
    EXPECT_EQ(BallWithSurface(b, BedPoint, MaterialBed), 1);
    EXPECT_VEC_NEAR(b.velocity, 1.0, 0.0, 0.008, 1e-6);
    EXPECT_VEC_NEAR(b.angularVelocity, 0.0, 19.952, 0.0, 1e-4);
}

TEST(BallWithSurface, HeadOnCushionHitReturnsHalfTheSpeedWithoutSpin)
{
    Ball b = MakeBall(vec3(1.41f, 0.0f, 0.05f), vec3(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(BallWithSurface(b, vec3(1.45f, 0.0f, 0.05f), MaterialCushion), 1);
    EXPECT_VEC_NEAR(b.position, 1.40, 0.0, 0.05, 1e-6);
    EXPECT_VEC_NEAR(b.velocity, -1.0, 0.0, 0.0, 1e-6);
    EXPECT_VEC_NEAR(b.angularVelocity, 0.0, 0.0, 0.0, 0.0);
}

TEST(BallWithSurface, OverlappingBallMovingAwayIsSentBackWithRestitution)
{
    Ball b = MakeBall(vec3(0.0f, 0.0f, 0.04f), vec3(0.0f, 0.0f, 0.5f));
    EXPECT_EQ(BallWithSurface(b, BedPoint, MaterialBed), 1);
    EXPECT_NEAR(b.velocity.z, -0.2 * 0.5, 1e-6);
}

TEST(BallWithSurface, SpinAboutTheNormalWearsDownToZeroWithoutReversing)
{
    Ball b = MakeBall(vec3(0.0f, 0.0f, 0.049f), vec3(), vec3(0.0f, 0.0f, 5.0f));
    // Each press: |JN| = 1.2·0.1·0.04 = 0.0048, so 0.0048·0.01/I = 0.48 rad/s per contact.
    const float lossPerContact = 0.48f;
    float previous = b.angularVelocity.z;
    int contacts = 0;
    while (b.angularVelocity.z > 0.0f && contacts < 100) {
        b.position.z = 0.049f;
        b.velocity = vec3(0.0f, 0.0f, -0.04f);
        ASSERT_EQ(BallWithSurface(b, BedPoint, MaterialBed), 1);
        ++contacts;
        const float now = b.angularVelocity.z;
        ASSERT_GE(now, 0.0f);
        if (now > 0.0f) {
            EXPECT_NEAR(previous - now, lossPerContact, 1e-4);
        }
        previous = now;
    }
    EXPECT_EQ(contacts, 11); // 5 / 0.48 = 10.4: ten full losses, then the clamp
    EXPECT_EQ(b.angularVelocity.z, 0.0f);
    EXPECT_EQ(b.angularVelocity.x, 0.0f);
    EXPECT_EQ(b.angularVelocity.y, 0.0f);
}

TEST(BallWithSurface, RollingResistanceStopsASlowRollExactlyAtZero)
{
    // A roll smaller than one contact's resistance (0.048 rad/s) goes to zero, not negative.
    Ball b = MakeBall(vec3(0.0f, 0.0f, 0.049f), vec3(0.0005f, 0.0f, -0.04f),
                      vec3(0.0f, 0.01f, 0.0f));
    EXPECT_EQ(BallWithSurface(b, BedPoint, MaterialBed), 1);
    EXPECT_EQ(b.angularVelocity.y, 0.0f);
}

} // namespace
