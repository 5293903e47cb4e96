// CueStrike: the spin a strike point gives, and what draw, follow and side spin then do on the table.
#include "physics/CueStrike.h"

#include <cmath>

#include "physics/Units.h"
#include "tests/physics/PhysicsTest.h"

namespace {

// Spin of a ball rolling at 1 m/s, rad/s: a half-radius strike gives 1.25 of it.
const float RollingSpin = 1.0f / 0.05f;

// The play modes' strike: the cue ball leaves at `speed` m/s along `heading`
// (radians from +x toward +y) with the spin of the strike point.
void Strike(Ball& b, float heading, float speed, StrikePoint p)
{
    b.velocity = vec3(speed * std::cos(heading), speed * std::sin(heading), 0.0f);
    b.angularVelocity = StrikeSpin(b.velocity, p);
}

TEST(CueStrikeSpin, CentreTopBackAndSideGiveTheSpinOfAnImpulseThroughThatPoint)
{
    const vec3 v(2.0f, 0.0f, 0.0f); // along +x: right of the cue is −y
    EXPECT_VEC_NEAR(StrikeSpin(v, {0.0f, 0.0f}), 0, 0, 0, 1e-6);
    // Top: forward roll about +y, 5/2 · top · v / R.
    EXPECT_VEC_NEAR(StrikeSpin(v, {0.0f, 0.4f}), 0, 2.5f * 0.4f * 2.0f * RollingSpin, 0, 1e-3);
    // Back: the same size the other way round.
    EXPECT_VEC_NEAR(StrikeSpin(v, {0.0f, -0.4f}), 0, -2.5f * 0.4f * 2.0f * RollingSpin, 0, 1e-3);
    // Right side: spin about +z, the ball's right-hand side turning forward.
    EXPECT_VEC_NEAR(StrikeSpin(v, {0.3f, 0.0f}), 0, 0, 2.5f * 0.3f * 2.0f * RollingSpin, 1e-3);
    EXPECT_VEC_NEAR(StrikeSpin(v, {-0.3f, 0.0f}), 0, 0, -2.5f * 0.3f * 2.0f * RollingSpin, 1e-3);
    // A vertical part of the velocity gives no impulse from a level cue, and a still ball no spin.
    EXPECT_VEC_NEAR(StrikeSpin(vec3(2.0f, 0.0f, 5.0f), {0.0f, 0.4f}), 0, 40, 0, 1e-3);
    EXPECT_VEC_NEAR(StrikeSpin(vec3(), {0.3f, 0.3f}), 0, 0, 0, 0);
}

TEST(CueStrikeSpin, FollowsTheHeading)
{
    // Heading +y: right of the cue is +x, so top spin lies along −x.
    EXPECT_VEC_NEAR(StrikeSpin(vec3(0.0f, 3.0f, 0.0f), {0.2f, 0.4f}),
                    -2.5f * 0.4f * 3.0f * RollingSpin, 0, 2.5f * 0.2f * 3.0f * RollingSpin, 1e-3);
}

TEST(CueStrikeSpin, StrikePointsPastTheMiscueLimitAreClampedAlongTheirRay)
{
    const StrikePoint inside = ClampStrikePoint({0.3f, -0.2f});
    EXPECT_EQ(inside.side, 0.3f);
    EXPECT_EQ(inside.top, -0.2f);
    const StrikePoint far = ClampStrikePoint({3.0f, 4.0f});
    EXPECT_NEAR(far.side, 0.3f, 1e-6);
    EXPECT_NEAR(far.top, 0.4f, 1e-6);
    const StrikePoint bad = ClampStrikePoint({NAN, INFINITY});
    EXPECT_EQ(bad.side, 0.0f);
    EXPECT_EQ(bad.top, 0.0f);
    // Five presses from the centre reach the limit; more stay on it.
    StrikePoint keyed;
    for (int k = 0; k < 5; ++k)
        keyed = NudgeStrikePoint(keyed, 0, -1);
    EXPECT_NEAR(keyed.top, -0.5f, 1e-6);
    keyed = NudgeStrikePoint(keyed, 3, -1);
    EXPECT_NEAR(std::hypot(keyed.side, keyed.top), MaxStrikeOffset, 1e-6);
    EXPECT_GT(keyed.side, 0.0f);
    // The spin of an out-of-range point is the spin of its clamped point.
    const vec3 v(1.0f, 1.0f, 0.0f);
    const vec3 a = StrikeSpin(v, {0.0f, -9.0f});
    const vec3 b = StrikeSpin(v, {0.0f, -0.5f});
    EXPECT_VEC_NEAR(a, b.x, b.y, b.z, 1e-5);
}

// A small table: the cue ball is ball 1, an object ball ball 2, and the other
// fourteen rest in a row along the −y cushion, out of every path used here.
class CueStrikeTable : public PhysicsTest {
protected:
    void SetUp() override
    {
        PhysicsTest::SetUp();
        for (int k = 3; k <= LastBall; ++k)
            ball[k].position = vec3(-1.2f + 0.16f * (k - 3), -0.85f, 0.05f);
        ball[2].position = vec3(-1.2f + 0.16f * 14, -0.85f, 0.05f);
    }

    static bool Moving()
    {
        for (int k = FirstBall; k <= LastBall; ++k)
            if (std::hypot(ball[k].velocity.x, ball[k].velocity.y) >= 0.001f)
                return true;
        return false;
    }

    // Frames of 1/60 s in 25 passes, as the game runs them, until every ball
    // rests or `seconds` have gone; `each` sees the state after every frame.
    template <typename Each>
    static void RunFrames(double seconds, Each each)
    {
        const int frames = static_cast<int>(seconds * 60.0);
        for (int f = 0; f < frames; ++f) {
            Start(1.0 / 60.0, 25);
            each();
            if (!Moving())
                return;
        }
    }

    // A full hit along +x at 3 m/s on an object ball 0.3 m ahead; answers how
    // far the cue ball ends up past the place where it met the object ball (m,
    // negative when it came back).
    float FullHit(float top)
    {
        ball[1].position = vec3(-0.6f, 0.0f, 0.05f);
        ball[2].position = vec3(-0.3f, 0.0f, 0.05f);
        Strike(ball[1], 0.0f, 3.0f, {0.0f, top});
        float contactX = NAN;
        RunFrames(20.0, [&] {
            if (std::isnan(contactX) && ball[2].velocity.x > 0.01f)
                contactX = ball[1].position.x;
        });
        EXPECT_FALSE(Moving());
        EXPECT_GT(ball[2].position.x, 0.3f); // the object ball went on each time
        return ball[1].position.x - contactX;
    }

    // A shot at 30° to the +y cushion's normal at 3 m/s from 0.15 m away (the
    // cloth wears side spin down within half a second). Answers the rebound's
    // angle to the normal, degrees, from the velocity in the first pass after
    // the bounce (`leaving`) and from the chord the ball then runs in 0.25 s
    // (`seen`, what the eye follows once the cloth has bent the path).
    struct Bounce {
        float leaving = NAN;
        float seen = NAN;
    };
    static float FromNormal(vec3 d) { return std::atan2(d.x, -d.y) * DegreesPerRadian; }
    Bounce Rebound(float side)
    {
        ball[1].position = vec3(-0.8f, 0.75f, 0.05f);
        ball[2].position = vec3(-1.2f + 0.16f * 14, -0.85f, 0.05f);
        Strike(ball[1], 60.0f * RadiansPerDegree, 3.0f, {side, 0.0f});
        Bounce bounce;
        const double pass = 1.0 / 1500.0; // a frame's 25 passes
        int passes = 0;
        vec3 at;
        for (int k = 0; k < 3000 && !(passes > 375); ++k) {
            Imitate(pass);
            if (std::isnan(bounce.leaving) && ball[1].velocity.y < 0.0f) {
                bounce.leaving = FromNormal(ball[1].velocity);
                at = ball[1].position;
            }
            if (!std::isnan(bounce.leaving))
                ++passes;
        }
        bounce.seen = FromNormal(ball[1].position - at);
        return bounce;
    }
};

TEST_F(CueStrikeTable, DrawBringsTheCueBallBackAndFollowCarriesItOn)
{
    const float draw = FullHit(-0.5f);
    const float stun = FullHit(0.0f);
    const float follow = FullHit(0.5f);
    printf("cue ball past the contact: draw %.3f m, centre %.3f m, follow %.3f m\n", draw, stun,
           follow);
    EXPECT_LT(draw, -0.1f);          // back towards the cue
    EXPECT_GT(stun, 0.0f);           // a rolling ball follows a little on its own
    EXPECT_GT(follow, stun + 0.3f);  // top spin carries it on further
}

TEST_F(CueStrikeTable, SideSpinChangesTheCushionReboundAngle)
{
    const Bounce left = Rebound(-0.5f);
    const Bounce plain = Rebound(0.0f);
    const Bounce right = Rebound(0.5f);
    printf("rebound from the normal, leaving: left %.1f, none %.1f, right %.1f deg; "
           "seen over 0.25 s: left %.1f, none %.1f, right %.1f deg\n",
           left.leaving, plain.leaving, right.leaving, left.seen, plain.seen, right.seen);
    // Right-hand side spin runs along this cushion (the ball heads right of
    // the normal): it widens the angle; left-hand spin checks it.
    EXPECT_GT(right.leaving, plain.leaving + 10.0f);
    EXPECT_LT(left.leaving, plain.leaving - 10.0f);
    EXPECT_GT(right.seen, plain.seen + 10.0f);
    EXPECT_LT(left.seen, plain.seen - 10.0f);
}

} // namespace
