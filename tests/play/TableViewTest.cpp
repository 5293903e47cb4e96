// What the play modes draw and strike: the balls shown in a rack, the guide's folded lines, the
// soft end of the cue.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/GuideRay.h"
#include "play/PlaySession.h"
#include "play/PlayShot.h"
#include "play/ShotCommand.h"
#include "tests/support/DefaultWorld.h"

namespace {

// On the cloth (the centre within the cushion box, resting on the bed) or in the tray.
bool OnClothOrInTray(const CPlaySession& play, const Ball& b, int k)
{
    const ClothBox box = PlayClothBox();
    const bool cloth = std::fabs(b.position.x) <= box.halfX + 1e-4f &&
                       std::fabs(b.position.y) <= box.halfY + 1e-4f &&
                       std::fabs(b.position.z - BallRadius) < 1e-3f;
    return cloth || (play.table.potted[k] && play.table.pocket[k] >= 0);
}

TEST(TableView, ANineBallRackShowsTheCueBallAndBallsOneToNineAllOnTheCloth)
{
    CDefaultWorld world;
    Ball balls[BallSlots] = {};
    CPlaySession play;
    play.Rack(balls, 3, true);
    int shown = 0;
    for (int k = FirstBall; k <= LastBall; ++k) {
        const int number = play.table.number[k];
        EXPECT_EQ(play.Shown(k), number <= 9) << "ball " << number;
        if (play.Shown(k)) {
            ++shown;
            EXPECT_TRUE(OnClothOrInTray(play, balls[k], k))
                << "ball " << number << " drawn off the table";
        }
    }
    EXPECT_EQ(shown, 10);
}

TEST(TableView, AfterABreakEveryBallShownIsOnTheClothOrInTheTray)
{
    CDefaultWorld world;
    Ball balls[BallSlots] = {};
    CPlaySession play;
    play.Rack(balls, 5, true);
    ASSERT_EQ(play.PlaceHand(balls), Placement::Allowed);
    ASSERT_TRUE(play.Strike(balls, vec3(-MaxShotSpeed, 0.02f, 0.0f)));
    for (int frame = 0; frame < 3600 && play.phase == CPlaySession::Rolling; ++frame) {
        Start(balls, play.table, PlayFrameSeconds, PlayPassesPerFrame);
        play.Advance(balls, static_cast<float>(PlayFrameSeconds));
    }
    ASSERT_NE(play.phase, CPlaySession::Rolling);
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (play.Shown(k)) {
            EXPECT_TRUE(OnClothOrInTray(play, balls[k], k)) << "ball " << play.table.number[k];
        }
    }
    const int cue = play.CueEntry();
    EXPECT_EQ(play.Shown(cue), !play.table.potted[cue] || play.phase == CPlaySession::InHand)
        << "a scratched cue ball shows only in hand";
}

TEST(TableView, GuideLinesStayOnTheClothAndTurnBackOffTheCushionTheyMeet)
{
    const ClothBox box = PlayClothBox();
    std::mt19937 random(20);
    std::uniform_real_distribution<float> across(-1.0f, 1.0f);
    for (int ray = 0; ray < 500; ++ray) {
        const vec3 from(across(random) * box.halfX, across(random) * box.halfY, BallRadius);
        const vec3 velocity(across(random) * 6.0f, across(random) * 6.0f, 0.0f);
        const float length = 0.05f + 3.0f * (across(random) + 1.0f);
        const std::vector<vec3> line = GuideRay(box, from, velocity, length, 1);
        if (Length(velocity) < 1e-3f)
            continue;
        ASSERT_GE(line.size(), 2u);
        float drawn = 0.0f;
        for (size_t i = 0; i < line.size(); ++i) {
            EXPECT_LE(std::fabs(line[i].x), box.halfX) << "ray " << ray;
            EXPECT_LE(std::fabs(line[i].y), box.halfY) << "ray " << ray;
            if (i > 0)
                drawn += Length(line[i] - line[i - 1]);
        }
        EXPECT_LE(line.size(), 3u) << "one bounce at most";
        EXPECT_LE(drawn, length + 1e-3f);
    }

    // Straight at the foot cushion from the centre, slanting: the far end
    // comes back with the along-table component turned and the across kept.
    const std::vector<vec3> bounce =
        GuideRay(box, vec3(0.0f, 0.0f, BallRadius), vec3(-1.0f, 0.2f, 0.0f), box.halfX + 0.3f, 1);
    ASSERT_EQ(bounce.size(), 3u);
    EXPECT_NEAR(bounce[1].x, -box.halfX, 1e-5f);
    EXPECT_NEAR(bounce[1].y, 0.2f * box.halfX, 1e-4f);
    const vec3 out = bounce[2] - bounce[1];
    EXPECT_GT(out.x, 0.0f) << "turned back off the cushion";
    EXPECT_GT(out.y, 0.0f) << "still drifting across";
    EXPECT_NEAR(out.y / out.x, 0.2f, 1e-3f) << "the mirror angle";
}

TEST(TableView, ASoftShotIsThreeTenthsOfAMetreASecondAndTheFirstPullsStaySoft)
{
    EXPECT_FLOAT_EQ(SpeedOfPull(0.0f), 0.3f);
    EXPECT_FLOAT_EQ(SpeedOfPull(1.0f), MaxShotSpeed);
    // The first 30 pixels of the draw (a tenth of the travel) stay a touch
    // shot, well under the free table's softest strike.
    EXPECT_LT(SpeedOfPull(30.0f / PullPixels), 0.4f);
    float last = SpeedOfPull(0.0f);
    for (int pixel = 1; pixel <= static_cast<int>(PullPixels); ++pixel) {
        const float speed = SpeedOfPull(pixel / PullPixels);
        EXPECT_GT(speed, last);
        EXPECT_NEAR(PullOfSpeed(speed), pixel / PullPixels, 1e-4f);
        last = speed;
    }
    ShotCommand c;
    c.speed = SoftestShotSpeed;
    EXPECT_TRUE(ShotCommandValid(c)) << "the softest strike may be played";
    c.speed = 0.29f;
    EXPECT_FALSE(ShotCommandValid(c));
}

TEST(TableView, TheSoftestShotStopsTheCueBallWithinFortyCentimetres)
{
    CDefaultWorld world;
    Ball balls[BallSlots] = {};
    CPlaySession play;
    play.Rack(balls, 1);
    ASSERT_EQ(play.PlaceHand(balls), Placement::Allowed);
    const int cue = play.CueEntry();
    const vec3 from = balls[cue].position;
    // Away from the rack, along the head string: open cloth.
    ASSERT_TRUE(play.Strike(balls, vec3(0.0f, SoftestShotSpeed, 0.0f)));
    for (int frame = 0; frame < 3600 && play.phase == CPlaySession::Rolling; ++frame) {
        Start(balls, play.table, PlayFrameSeconds, PlayPassesPerFrame);
        play.Advance(balls, static_cast<float>(PlayFrameSeconds));
    }
    const float rolled = Length(balls[cue].position - from);
    EXPECT_GT(rolled, 0.02f);
    EXPECT_LT(rolled, 0.4f) << "a touch shot: the free table's softest rolled over half the table";
}

} // namespace
