// CBall without a window: construction, detail by distance, the strike, motion bounds, errors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>

#include "physics/Ball.h"
#include "scene/Ball.h"
#include "scene/ObjectList.h"
#include "scene/TextureList.h"
#include "tests/support/Capture.h"

namespace {

TEST(Ball, CueBallStartsAtItsSpotUnturned)
{
    CObjectList list;
    CBall b(&list);
    EXPECT_EQ(b.type, ObjectBall);
    EXPECT_EQ(b.owner, &list);
    EXPECT_EQ(b.position.x, 10.0f);
    EXPECT_EQ(b.position.y, 0.0f);
    EXPECT_EQ(b.position.z, 1.0f);
    EXPECT_EQ(b.number, 0);
    EXPECT_EQ(b.radius, 1.0f);
    EXPECT_EQ(Length(b.rotation), 0.0f);
    EXPECT_EQ(Length(b.velocity), 0.0f);
    EXPECT_EQ(b.texture, 0u);
    EXPECT_NE(b.quadric, nullptr);
}

TEST(Ball, NumberedBallTakesThreeRandomDegreesZThenYThenX)
{
    srand(1234);
    const int first = rand() % 360, second = rand() % 360, third = rand() % 360;
    srand(1234);
    CBall b(nullptr, vec3(-19.0f, 0.0f, 1.0f), 15);
    EXPECT_EQ(b.number, 15);
    EXPECT_EQ(b.position.x, -19.0f);
    EXPECT_EQ(b.rotation.z, static_cast<float>(first));
    EXPECT_EQ(b.rotation.y, static_cast<float>(second));
    EXPECT_EQ(b.rotation.x, static_cast<float>(third));
}

TEST(Ball, SphereDetailFallsWithDistanceAndStaysSane)
{
    const float saved = BallQuality;
    BallQuality = 256.0f;
    EXPECT_EQ(BallDetail(0.0f), 20);
    EXPECT_EQ(BallDetail(60.0f), 7);
    EXPECT_EQ(BallDetail(1000.0f), 4);
    BallQuality = 0.0f;
    EXPECT_EQ(BallDetail(0.0f), 4);
    // A nonsensical configuration must not overflow the conversion.
    BallQuality = 1e30f;
    EXPECT_EQ(BallDetail(0.0f), 1024);
    BallQuality = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(BallDetail(10.0f), 2);
    BallQuality = -1e6f;
    EXPECT_EQ(BallDetail(0.0f), 2);
    BallQuality = saved;
}

TEST(Ball, ShootAlongXSetsOnlyTheVelocityAndLeavesThePhysicsAlone)
{
    ball[1] = Ball{};
    CBall cue(nullptr);
    cue.Shoot(0.0f, 40.0f);
    EXPECT_EQ(cue.velocity.x, 40.0f);
    EXPECT_EQ(cue.velocity.y, 0.0f);
    EXPECT_EQ(cue.velocity.z, 0.0f);
    EXPECT_EQ(ball[1].velocity.x, 0.0f); // the scene is handed over by its owner
}

TEST(Ball, ShootAtNinetyDegreesGoesAlongY)
{
    CBall cue(nullptr);
    cue.position = vec3(3.0f, 4.0f, 1.0f);
    cue.Shoot(90.0f, 10.0f);
    EXPECT_NEAR(cue.velocity.x, 0.0, 1e-5);
    EXPECT_LT(cue.velocity.x, 0.0f); // cos of the float nearest 90° is just below zero
    EXPECT_FLOAT_EQ(cue.velocity.y, 10.0f);
    EXPECT_EQ(cue.position.x, 3.0f);
}

TEST(Ball, MoveBouncesOffTheBoundsBeforeStepping)
{
    CBall b(nullptr);
    b.position = vec3(31.0f, -20.0f, 1.0f);
    b.velocity = vec3(5.0f, -2.0f, 0.0f);
    EXPECT_TRUE(b.Move(0.1f));
    EXPECT_FLOAT_EQ(b.position.x, 29.5f);
    EXPECT_EQ(b.velocity.x, -5.0f);
    EXPECT_FLOAT_EQ(b.position.y, -18.8f);
    EXPECT_EQ(b.velocity.y, 2.0f);

    b.position = vec3(-30.5f, 19.5f, 1.0f);
    b.velocity = vec3(-1.0f, 1.0f, 0.0f);
    b.Move(0.0f);
    EXPECT_EQ(b.position.x, -30.0f);
    EXPECT_EQ(b.position.y, 19.0f);
    EXPECT_EQ(b.velocity.x, 1.0f);
    EXPECT_EQ(b.velocity.y, -1.0f);

    b.Kill();
    EXPECT_FALSE(b.Move(1.0f));
    EXPECT_EQ(b.position.x, -30.0f);
}

TEST(Ball, ProcessRejectsNullUnlessKilled)
{
    EXPECT_EQ(ErrorOf([] {
                  CBall b(nullptr);
                  b.Process(nullptr);
              }),
              "CBall::Process() - Get NULL pointer");
    CBall b(nullptr), other(nullptr);
    EXPECT_NO_THROW(b.Process(&other));
    b.Kill();
    EXPECT_NO_THROW(b.Process(nullptr));
    EXPECT_FALSE(b.Collide(&other));
}

TEST(Ball, SetTextureWithAnEmptyCacheNamesThePath)
{
    CTextureList empty;
    EXPECT_EQ(ErrorOf([&] {
                  CBall b(nullptr);
                  b.SetTexture(empty, 3);
              }),
              "Unable set ball texture:data/ball_3.bmp");
}

} // namespace
