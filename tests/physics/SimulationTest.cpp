// Start and Imitate: step clamping, pass counts, integration, drag, rest and cushion reach.
#include "physics/Simulation.h"

#include <vector>

#include "physics/PlayTable.h"
#include "tests/physics/PhysicsTest.h"

namespace {

class Simulation : public PhysicsTest {
protected:
    // One ball off the bed (no contacts) gliding along +x without gravity or drag.
    void Glide()
    {
        Gravity = 0.0f;
        Viscosity = 0.0f;
        ball[1].position = vec3(0.0f, 0.0f, 0.5f);
        ball[1].velocity = vec3(1.0f, 0.0f, 0.0f);
    }
};

TEST_F(Simulation, PassesShareTheFrameAndEachIsClampedTo4ms)
{
    Glide();
    Start(0.02, 25); // 25 × 0.8 ms
    EXPECT_NEAR(ball[1].position.x, 0.02, 1e-6);
    Start(0.2, 25); // 25 × 4 ms, not 8 ms: only 0.1 s
    EXPECT_NEAR(ball[1].position.x, 0.12, 1e-6);
    Imitate(1.0);
    EXPECT_NEAR(ball[1].position.x, 0.124, 1e-6);
}

// Records ball 1's x each time a pass ends, as the game's scene hand-over reads it.
void RecordBallOne(void* seen)
{
    static_cast<std::vector<float>*>(seen)->push_back(ball[1].position.x);
}

TEST_F(Simulation, NoPassesDoNothingNotEvenTheHookAndEachPassEndsWithIt)
{
    std::vector<float> seen;
    FreeTablePassHook = PassHook{RecordBallOne, &seen};
    Glide();
    Start(0.1, 0);
    Start(0.1, -3);
    EXPECT_EQ(ball[1].position.x, 0.0f);
    EXPECT_EQ(ball[1].radius, 0.0f); // not even the constants were set
    EXPECT_TRUE(seen.empty());
    Start(0.004, 2); // two passes, each called after the ball moved
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NEAR(seen[0], 0.002, 1e-7);
    EXPECT_NEAR(seen[1], 0.004, 1e-7);

    // The passes on a handed-in table never call it.
    Ball copy[BallSlots];
    std::memcpy(copy, ball, sizeof copy);
    PlayTable table = FreeTable();
    Start(copy, table, 0.004, 2);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Simulation, OnePassSetsTheConstantsOfTheSixteenBallsOnly)
{
    Imitate(0.001);
    for (int k = 1; k <= 16; ++k) {
        EXPECT_EQ(ball[k].radius, 0.05f);
        EXPECT_EQ(ball[k].mass, 0.1f);
        EXPECT_NEAR(ball[k].inertia, 0.0001, 1e-10);
    }
    const Ball zero{};
    EXPECT_TRUE(BitEqual(ball[0], zero));
    for (int k = 17; k < BallCount; ++k)
        EXPECT_TRUE(BitEqual(ball[k], zero)) << "entry " << k;
}

TEST_F(Simulation, RotationKeepsItsAxisAndWrapsBelowTwoPi)
{
    Gravity = 0.0f;
    ball[1].position = vec3(0.0f, 0.0f, 0.05f); // touching the bed: no contact
    ball[1].rotation = vec3(6.0f, 0.0f, 0.0f);
    ball[1].angularVelocity = vec3(100.0f, 0.0f, 0.0f);
    Imitate(0.004);
    EXPECT_VEC_NEAR(ball[1].rotation, 0.11681, 0.0, 0.0, 1e-5);
}

TEST_F(Simulation, AirDragScalesTheVelocityAndAHugeViscosityStopsIt)
{
    Gravity = 0.0f;
    ball[1].position = vec3(0.0f, 0.0f, 0.5f);
    ball[1].velocity = vec3(1.0f, -2.0f, 0.5f);
    Imitate(0.004);
    const double f = 1.0 - 0.05 * 18.849556 * 1.85e-05 * 0.004 / 0.1; // about 0.9999993
    EXPECT_NEAR(ball[1].velocity.x, f, 1e-7);
    EXPECT_NEAR(ball[1].velocity.y, -2.0 * f, 2e-7);
    EXPECT_LT(ball[1].velocity.x, 1.0f);

    Viscosity = 1000.0f;
    Imitate(0.004);
    EXPECT_VEC_NEAR(ball[1].velocity, 0.0, 0.0, 0.0, 0.0);
}

TEST_F(Simulation, RackAtRestStaysPutAndSettlesJustBelowTheBed)
{
    // The game's rack (metres): rows 1.5 scene units apart, none touching.
    int k = 1;
    for (int r = 0; r < 5; ++r)
        for (int j = 0; j <= 4 - r; ++j)
            ball[k++].position = vec3((-25.0f + 1.5f * r) / 20.0f, (-6.0f + 1.5f * r + 3.0f * j) / 20.0f,
                                      0.05f);
    ball[16].position = vec3(0.5f, 0.0f, 0.05f);
    Ball start[17];
    for (int i = 1; i <= 16; ++i)
        start[i] = ball[i];
    for (int frame = 0; frame < 600; ++frame)
        Start(0.004 * 25, 25);
    const double settled = 0.05 - 9.81 * 0.004 * 0.004 / 1.2; // 0.13 mm below the bed line
    for (int i = 1; i <= 16; ++i) {
        EXPECT_EQ(ball[i].position.x, start[i].position.x) << "ball " << i;
        EXPECT_EQ(ball[i].position.y, start[i].position.y) << "ball " << i;
        EXPECT_NEAR(ball[i].position.z, settled, 1e-6) << "ball " << i;
        EXPECT_VEC_NEAR(ball[i].angularVelocity, 0.0, 0.0, 0.0, 0.0);
    }
}

TEST_F(Simulation, CushionsActOnlyOnBallsReachingPastTheirPlanes)
{
    Gravity = 0.0f;
    Viscosity = 0.0f;
    ball[1].position = vec3(1.42f, 0.0f, 0.05f);   // |x| + r = 1.47: pushed back to 1.40
    ball[2].position = vec3(-1.42f, 0.5f, 0.05f);  // the other end
    ball[3].position = vec3(0.0f, 0.92f, 0.05f);   // a side
    ball[4].position = vec3(1.30f, -0.5f, 0.05f);  // short of the plane while it moves towards it
    ball[4].velocity = vec3(2.0f, 0.0f, 0.0f);
    ball[5].position = vec3(0.5f, -0.90f, 0.05f);  // |y| + r = 0.95 exactly: untouched
    Imitate(0.004);
    EXPECT_NEAR(ball[1].position.x, 1.40, 1e-6);
    EXPECT_NEAR(ball[2].position.x, -1.40, 1e-6);
    EXPECT_NEAR(ball[3].position.y, 0.90, 1e-6);
    EXPECT_NEAR(ball[4].position.x, 1.308, 1e-6);
    EXPECT_EQ(ball[4].velocity.x, 2.0f);
    EXPECT_EQ(ball[5].position.y, -0.90f);
}

TEST_F(Simulation, PairContactsUseLowerNumberedBallsAndParkCoincidentOnes)
{
    Gravity = 0.0f;
    ball[3].position = vec3(0.2f, 0.1f, 0.05f);
    ball[7].position = vec3(0.2f, 0.1f, 0.05f); // dropped on top of ball 3
    for (int pass = 0; pass < 50; ++pass)
        Imitate(0.001);
    for (int k = 1; k <= 16; ++k) {
        ASSERT_TRUE(IsFinite(ball[k].position) && IsFinite(ball[k].velocity) &&
                    IsFinite(ball[k].angularVelocity) && IsFinite(ball[k].rotation))
            << "ball " << k;
    }
    EXPECT_GE(Length(ball[7].position - ball[3].position), 0.1f - 1e-6f);
}

} // namespace
