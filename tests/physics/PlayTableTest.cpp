// The play table's passes as outcomes of short shots: capture, jaws, mouth widths, the record, the rack, and the free table unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <algorithm>
#include <vector>

#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "physics/Simulation.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/PlayShot.h"
#include "play/PracticeRack.h"
#include "tests/support/DefaultWorld.h"

namespace {

class PlayTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table = PocketTable();
        table.events = &events;
        // The cue ball alone: the others are out of the passes until a test
        // puts them back.
        cue = table.EntryOf(0);
        for (int k = FirstBall; k <= LastBall; ++k) {
            balls[k] = Ball{};
            balls[k].position = vec3(-1.0f + 0.11f * (k - 1), -0.85f, BallRadius);
            table.potted[k] = k != cue;
        }
    }

    // Sends the cue ball from `from` toward `to` at `speed` m/s and plays to rest.
    void Shoot(vec3 from, vec3 to, float speed)
    {
        balls[cue].position = from;
        vec3 d = to - from;
        d.z = 0.0f;
        balls[cue].velocity = d * (speed / Length(d));
        bool resting = false;
        RunUntilRest(balls, table, 30.0, resting);
        ASSERT_TRUE(resting);
    }

    static vec3 Pocket(int k) { return vec3(PocketCentreX(k), PocketCentreY(k), BallRadius); }

    Ball balls[BallSlots] = {};
    PlayTable table;
    ShotEvents events;
    int cue = 0;
    CDefaultWorld world;
};

TEST_F(PlayTableTest, StraightShotIntoEachPocketDropsThereAndLeavesThePasses)
{
    for (int k = 0; k < PocketCount; ++k) {
        SCOPED_TRACE(k);
        SetUp();
        events.Clear();
        // 0.5 m out toward the table's centre, along the line from the pocket to it.
        const vec3 p = Pocket(k);
        vec3 in = vec3(0.0f, 0.0f, BallRadius) - p;
        in.z = 0.0f;
        if (MiddlePocket(k))
            in = vec3(0.3f, -p.y, 0.0f); // into a middle pocket at an angle, not only square on
        const vec3 from = p + in * (0.5f / Length(in));
        Shoot(from, p, 2.0f);
        ASSERT_TRUE(table.potted[cue]);
        EXPECT_EQ(table.pocket[cue], k);
        ASSERT_EQ(events.potted.size(), 1u);
        EXPECT_EQ(events.potted[0].ball, 0);
        EXPECT_EQ(events.potted[0].pocket, k);
        EXPECT_TRUE(events.CuePotted());
        // Out of the passes: it stays where it dropped, still, whatever else runs.
        const vec3 at = balls[cue].position;
        balls[cue].velocity = vec3(5.0f, 5.0f, 0.0f);
        Start(balls, table, 0.5, 25);
        EXPECT_EQ(std::memcmp(&at, &balls[cue].position, sizeof at), 0);
    }
}

TEST_F(PlayTableTest, APottedBallDoesNotBlockTheNextBallIntoThatPocket)
{
    const vec3 from = Pocket(0) + vec3(-0.35f, -0.35f, 0.0f);
    Shoot(from, Pocket(0), 2.0f);
    ASSERT_TRUE(table.potted[cue]);
    const int other = table.EntryOf(5);
    table.potted[other] = false;
    balls[other].position = from;
    balls[other].velocity = vec3(1.5f, 1.5f, 0.0f);
    bool resting = false;
    RunUntilRest(balls, table, 30.0, resting);
    EXPECT_TRUE(table.potted[other]);
    ASSERT_EQ(events.potted.size(), 2u);
    EXPECT_EQ(events.potted[1].ball, 5);
}

TEST_F(PlayTableTest, BallOnAJawTipRattlesOutAndStaysOnTheBed)
{
    // Aim at the tip of the +y side cushion beside corner pocket 0, and at the
    // tip of the +x end cushion: the jaw turns the ball back onto the cloth.
    const float corner = PlayTableCut.cornerJaw / SceneUnitsPerMetre;
    const vec3 tips[2] = {vec3(CushionX - corner, CushionY, BallRadius), vec3(CushionX, CushionY - corner, BallRadius)};
    for (const vec3& tip : tips) {
        SCOPED_TRACE(tip.x);
        SetUp();
        events.Clear();
        const vec3 from = Pocket(0) + vec3(-0.5f, -0.5f, 0.0f);
        // The centre at the tip's contact: one ball radius short of it, on the line from `from`.
        Shoot(from, tip, 3.0f);
        EXPECT_FALSE(table.potted[cue]);
        EXPECT_FALSE(OffTheBed(balls[cue]));
        EXPECT_EQ(events.cushionsAtAll, std::vector<int>{0});
    }
}

TEST_F(PlayTableTest, MouthsTakeABandOfShotsAsWideAsTheGapLessABallCornersNarrowerThanMiddles)
{
    // Straight shots from 0.5 m shifted sideways across the mouth in steps of
    // 2 mm: the first and last shift (mm) at which the ball drops.
    auto band = [&](int pocket, vec3 inward, vec3 sideways) {
        int lo = 1000, hi = -1000, count = 0;
        for (int mm = -200; mm <= 200; mm += 2) {
            SetUp();
            events.Clear();
            const vec3 aim = Pocket(pocket) + sideways * (mm / 1000.0f);
            Shoot(aim + inward * 0.5f, aim, 2.0f);
            if (table.potted[cue] && table.pocket[cue] == pocket) {
                lo = std::min(lo, mm);
                hi = std::max(hi, mm);
                ++count;
            }
        }
        // One unbroken band of drops.
        EXPECT_EQ(count, (hi - lo) / 2 + 1) << "pocket " << pocket << " from " << lo << " to " << hi;
        return std::make_pair(lo, hi);
    };
    const float r = std::sqrt(0.5f);
    const auto corner = band(0, vec3(-r, -r, 0.0f), vec3(r, -r, 0.0f));
    const auto middle = band(1, vec3(0.0f, -1.0f, 0.0f), vec3(1.0f, 0.0f, 0.0f));
    const int cornerWidth = corner.second - corner.first, middleWidth = middle.second - middle.first;
    // Centred on the pocket (the table is symmetric about the diagonal and the middle line).
    EXPECT_LE(std::abs(corner.first + corner.second), 4);
    EXPECT_LE(std::abs(middle.first + middle.second), 4);
    // A corner mouth of 2.05 ball diameters (205 mm) leaves a ball's width
    // (100 mm) of centre lines, and the angled facings funnel a little more in.
    EXPECT_GE(cornerWidth, 100);
    EXPECT_LE(cornerWidth, 140);
    EXPECT_GT(middleWidth, cornerWidth);
    // A centre line outside the nose tips never drops, let alone one a ball's
    // width outside the mouth.
    EXPECT_LT(corner.second, 1000.0f * PlayTableCut.cornerJaw / SceneUnitsPerMetre * r);
    EXPECT_LT(middle.second, 1000.0f * PlayTableCut.middleJaw / SceneUnitsPerMetre);
}

TEST_F(PlayTableTest, RecordKeepsFirstContactAndCushionsAfterIt)
{
    // Cue ball hits ball 7 straight toward the +x end cushion; both reach it.
    const int seven = table.EntryOf(7);
    balls[seven].position = vec3(0.6f, 0.3f, BallRadius);
    balls[cue].position = vec3(0.0f, 0.3f, BallRadius);
    balls[cue].velocity = vec3(3.0f, 0.0f, 0.0f);
    // A ball already touching a cushion before the shot counts at all, not after contact.
    const int two = table.EntryOf(2);
    table.potted[seven] = table.potted[two] = false;
    balls[two].position = vec3(-1.35f, 0.0f, BallRadius);
    balls[two].velocity = vec3(-2.0f, 0.0f, 0.0f);
    bool resting = false;
    RunUntilRest(balls, table, 30.0, resting);
    EXPECT_EQ(events.firstContact, 7);
    ASSERT_FALSE(events.cushionsAfterContact.empty());
    EXPECT_EQ(events.cushionsAfterContact[0], 7);
    EXPECT_EQ(std::count(events.cushionsAtAll.begin(), events.cushionsAtAll.end(), 2), 1);
    EXPECT_EQ(events.cushionsAtAll[0], 2);
}

TEST_F(PlayTableTest, FreeTableStateGivesTheGlobalPassesBitForBit)
{
    // The free table's passes on the globals and the handed-in passes with
    // FreeTable() on a copy must be one and the same code path.
    Ball saved[BallCount];
    std::memcpy(saved, ball, sizeof saved);
    const PassHook savedHook = FreeTablePassHook;
    FreeTablePassHook = PassHook{};
    for (Ball& b : ball)
        b = Ball{};
    for (int k = FirstBall; k <= LastBall; ++k)
        ball[k].position = vec3(-1.0f + 0.09f * (k - 1), 0.2f * std::sin(k * 1.0f), BallRadius);
    ball[LastBall].velocity = vec3(-6.0f, 0.4f, 0.0f);
    Ball copy[BallSlots];
    std::memcpy(copy, ball, sizeof copy);
    PlayTable free = FreeTable();
    for (int frame = 0; frame < 300; ++frame) {
        Start(1.0 / 60.0, 25);
        Start(copy, free, 1.0 / 60.0, 25);
    }
    EXPECT_EQ(std::memcmp(copy, ball, sizeof copy), 0);
    std::memcpy(ball, saved, sizeof saved);
    FreeTablePassHook = savedHook;
}

TEST(PracticeRack, TightTriangleOnTheFootSpotInEightBallOrder)
{
    for (unsigned seed : {1u, 2u, 77u, 4000000000u}) {
        SCOPED_TRACE(seed);
        vec3 s[16];
        PracticeRackSpots(seed, s);
        // Apex (the ball nearest the head) on the foot spot.
        int apex = 1;
        for (int n = 1; n <= 15; ++n)
            if (s[n].x > s[apex].x)
                apex = n;
        EXPECT_FLOAT_EQ(s[apex].x, FootSpotX);
        EXPECT_FLOAT_EQ(s[apex].y, 0.0f);
        // Every ball has its neighbours at the spacing and none closer: tight, no overlap.
        for (int a = 1; a <= 15; ++a) {
            float nearest = 10.0f;
            for (int b = 1; b <= 15; ++b)
                if (a != b)
                    nearest = std::min(nearest, Length(s[a] - s[b]));
            EXPECT_NEAR(nearest, RackSpacing, 1e-5f);
            EXPECT_GT(nearest, 2.0f * BallRadius);
        }
        // The 8 in the middle of the third row: on the long axis, two rows behind the apex.
        EXPECT_NEAR(s[8].y, 0.0f, 1e-6f);
        EXPECT_NEAR(s[apex].x - s[8].x, RackSpacing * std::sqrt(3.0f), 1e-5f);
        // Back corners: the two balls furthest from the apex, one of each suit.
        std::vector<int> back;
        for (int n = 1; n <= 15; ++n)
            if (Length(s[n] - s[apex]) > 4.0f * RackSpacing - 1e-4f)
                back.push_back(n);
        ASSERT_EQ(back.size(), 2u);
        EXPECT_NE(back[0] < 8, back[1] < 8);
        EXPECT_FLOAT_EQ(s[0].x, HeadStringX);
    }
    vec3 a[16], b[16];
    PracticeRackSpots(1, a);
    PracticeRackSpots(2, b);
    EXPECT_NE(std::memcmp(a, b, sizeof a), 0) << "the seed shuffles the rack";
}

} // namespace
