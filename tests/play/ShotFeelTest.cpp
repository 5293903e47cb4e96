// The shot feel's headless parts as outcomes: the guide against the real shot, the passes' sink, the replay's record, the guide's defaults.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <cstring>
#include <vector>

#include "audio/ContactSounds.h"
#include "physics/Ball.h"
#include "physics/CueStrike.h"
#include "physics/PlayTable.h"
#include "physics/Simulation.h"
#include "physics/TableGeometry.h"
#include "physics/Units.h"
#include "physics/World.h"
#include "play/AimGuide.h"
#include "play/PlayShot.h"
#include "play/PracticeRack.h"
#include "play/ShotReplay.h"
#include "tests/support/DefaultWorld.h"

namespace {

class ShotFeel : public ::testing::Test {
protected:
    void SetUp() override
    {
        table = PocketTable();
        cue = table.EntryOf(0);
    }

    // The cue ball at `at` and the listed object balls (entry, position) on the
    // cloth; every other ball out of play.
    void Lay(vec3 at, std::vector<std::pair<int, vec3>> others)
    {
        for (int k = FirstBall; k <= LastBall; ++k) {
            balls[k] = Ball{};
            balls[k].position = vec3(-1.2f + 0.12f * k, -0.9f, BallRadius);
            table.potted[k] = k != cue;
        }
        balls[cue].position = at;
        for (auto& o : others) {
            table.potted[o.first] = false;
            balls[o.first].position = o.second;
        }
    }

    // The shot as the game plays it: the cue ball leaves with the strike's
    // velocity and spin, and the passes run in frames of `frameSeconds`
    // (the game's frame is the display's, not the guide's 1/60 s). Answers
    // the entry first touched, with both centres at that pass.
    int RealFirstContact(vec3 velocity, vec3 spin, double frameSeconds, vec3& cueAt, vec3& targetAt)
    {
        Ball live[BallSlots];
        std::copy(balls, balls + BallSlots, live);
        PlayTable t = table;
        ShotEvents events;
        t.events = &events;
        live[cue].velocity = velocity;
        live[cue].angularVelocity = spin;
        for (int pass = 0; pass < 3.0 / frameSeconds * PlayPassesPerFrame; ++pass) {
            Imitate(live, t, frameSeconds / PlayPassesPerFrame);
            if (events.firstContact >= 0) {
                const int k = t.EntryOf(events.firstContact);
                cueAt = live[cue].position;
                targetAt = live[k].position;
                return k;
            }
        }
        return -1;
    }

    // Where the cue ball alone, struck from `from`, stands 0.4 s after its
    // first cushion, shifted a third of a radius aside: a ball placed there is
    // reached only off that cushion.
    vec3 BankedTo(vec3 from, float angle, float strength)
    {
        Lay(from, {});
        PlayTable t = table;
        ShotEvents events;
        t.events = &events;
        Ball b[BallSlots];
        std::copy(balls, balls + BallSlots, b);
        b[cue].velocity = ShotVelocity(angle, strength);
        int after = -1;
        for (int frame = 0; frame < 600 && after < 24; ++frame) {
            Start(b, t, PlayFrameSeconds, PlayPassesPerFrame);
            if (after >= 0 || !events.cushionsAtAll.empty())
                ++after;
        }
        EXPECT_EQ(after, 24) << "the bank never reached its cushion";
        return b[cue].position + vec3(0.0f, BallRadius / 3.0f, 0.0f);
    }

    static vec3 Flat(vec3 v)
    {
        v.z = 0.0f;
        return v;
    }
    static float DegreesBetween(vec3 a, vec3 b)
    {
        a = Flat(a);
        b = Flat(b);
        const float c = Dot(a, b) / (Length(a) * Length(b));
        return std::acos(std::fmin(1.0f, std::fmax(-1.0f, c))) * DegreesPerRadianNearest;
    }

    Ball balls[BallSlots] = {};
    PlayTable table;
    int cue = 0;
    CDefaultWorld world;
};

TEST_F(ShotFeel, GuideFirstContactIsWhereTheRealShotFirstTouches)
{
    const int a = 1, b = 2, c = 3; // entries of three object balls
    struct Case {
        const char* name;
        vec3 cueAt;
        std::vector<std::pair<int, vec3>> others;
        float angle;    // degrees
        float strength; // scene units/s
        StrikePoint strike;
        int expected;   // entry first touched
    };
    const float r = BallRadius;
    const std::vector<Case> cases = {
        {"full hit, centre", vec3(-0.6f, 0.0f, r), {{a, vec3(0.4f, 0.0f, r)}, {b, vec3(0.9f, 0.3f, r)}}, 0.0f, 60.0f, {}, a},
        {"thin cut past a nearer ball", vec3(-0.8f, -0.2f, r),
         {{a, vec3(0.1f, 0.0f, r)}, {b, vec3(0.1f, -0.2f - 3.0f * r, r)}}, 12.0f, 90.0f, {0.0f, 0.3f}, a},
        {"side spin, the second ball in line", vec3(0.9f, 0.5f, r),
         {{b, vec3(-0.3f, 0.1f, r)}, {c, vec3(-0.8f, -0.1f, r)}}, 198.43f, 120.0f, {0.4f, -0.2f}, b},
        {"off a cushion first", vec3(-0.6f, 0.0f, r), {{c, BankedTo(vec3(-0.6f, 0.0f, r), -45.0f, 80.0f)}},
         -45.0f, 80.0f, {}, c},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Lay(k.cueAt, k.others);
        const Ball before[2] = {balls[cue], balls[k.expected]};
        const vec3 v = ShotVelocity(k.angle, k.strength);
        const vec3 w = StrikeSpin(v, k.strike);
        const AimPrediction p = PredictShot(balls, table, cue, v, w, AimGuidePaths);
        // The prediction ran on copies: the balls it was given are as they were.
        EXPECT_EQ(std::memcmp(&before[0], &balls[cue], sizeof(Ball)), 0);
        EXPECT_EQ(std::memcmp(&before[1], &balls[k.expected], sizeof(Ball)), 0);

        for (double frame : {1.0 / 60.0, 1.0 / 200.0}) {
            vec3 cueAt, targetAt;
            const int real = RealFirstContact(v, w, frame, cueAt, targetAt);
            ASSERT_EQ(real, k.expected) << "the real shot, frames of " << frame << " s";
            EXPECT_EQ(p.target, real);
            // Where the cue ball stands when it touches: within 2 mm; and the
            // line of centres, which sends the object ball off, within 1.5 degrees.
            EXPECT_LT(Length(Flat(p.ghost - cueAt)), 0.002f) << frame;
            EXPECT_LT(DegreesBetween(p.targetAt - p.ghost, targetAt - cueAt), 1.5f) << frame;
        }
        // Along the line of centres, give or take the throw the balls' friction adds.
        EXPECT_LT(DegreesBetween(p.targetAfter, p.targetAt - p.ghost), 5.0f);
        // The first second's path starts at the cue ball and ends near where the real play has it.
        ASSERT_FALSE(p.path[cue].empty());
        EXPECT_EQ(p.path[cue].size(), 61u);
        EXPECT_LT(Length(p.path[cue].front() - k.cueAt), 1e-6f);
    }
}

TEST_F(ShotFeel, GuideWithoutAContactStopsAtTheFirstCushionAndShowsNoGhost)
{
    Lay(vec3(-0.5f, 0.0f, BallRadius), {{1, vec3(0.5f, 0.6f, BallRadius)}});
    const AimPrediction p = PredictShot(balls, table, cue, ShotVelocity(0.0f, 60.0f), vec3(), AimGuideContact);
    EXPECT_EQ(p.target, -1);
    EXPECT_NEAR(p.cueStop.x, CushionX - BallRadius, 0.01f);
    EXPECT_NEAR(p.cueStop.y, 0.0f, 1e-4f);
    for (int k = FirstBall; k <= LastBall; ++k)
        EXPECT_TRUE(p.path[k].empty()) << "level 1 records no paths";
}

TEST_F(ShotFeel, SlicedGuideKeepsTheLastResultUntilTheNewOneIsComplete)
{
    Lay(vec3(-0.6f, 0.0f, BallRadius), {{1, vec3(0.4f, 0.0f, BallRadius)}, {2, vec3(0.4f, 0.4f, BallRadius)}});
    CAimGuide guide;
    guide.Begin(balls, table, cue, ShotVelocity(0.0f, 60.0f), vec3(), AimGuidePaths);
    EXPECT_EQ(guide.Shown(), nullptr);
    int slices = 1;
    while (!guide.Step(20))
        ++slices;
    EXPECT_EQ(slices, 3) << "one second of paths in slices of 20 frames";
    ASSERT_NE(guide.Shown(), nullptr);
    EXPECT_EQ(guide.Shown()->target, 1);
    // A new aim at the other ball: the old result stays shown until the new one is done.
    const vec3 to2 = balls[2].position - balls[cue].position;
    guide.Begin(balls, table, cue, to2 * (3.0f / Length(to2)), vec3(), AimGuidePaths);
    EXPECT_FALSE(guide.Step(1));
    EXPECT_EQ(guide.Shown()->target, 1);
    while (!guide.Step(20)) {
    }
    EXPECT_EQ(guide.Shown()->target, 2);
}

TEST_F(ShotFeel, SinkHearsTheBreakWithoutChangingItAndARestingRackIsSilent)
{
    auto rack = [&](Ball* b, PlayTable& t) {
        t = PocketTable();
        RackPractice(b, t, 11);
        b[cue].position = vec3(HeadStringX, 0.02f, BallRadius);
        b[cue].velocity = ShotVelocity(180.0f, 150.0f);
    };
    Ball quiet[BallSlots] = {}, heard[BallSlots] = {};
    PlayTable quietTable, heardTable;
    rack(quiet, quietTable);
    rack(heard, heardTable);
    CContactSounds sounds;
    heardTable.sink = &sounds;
    bool resting = false;
    RunUntilRest(quiet, quietTable, 20.0, resting);
    RunUntilRest(heard, heardTable, 20.0, resting);
    EXPECT_EQ(std::memcmp(quiet, heard, sizeof quiet), 0) << "a sink changes nothing in the passes";
    EXPECT_EQ(std::memcmp(quietTable.potted, heardTable.potted, sizeof quietTable.potted), 0);

    int potted = 0;
    for (int k = FirstBall; k <= LastBall; ++k)
        potted += heardTable.potted[k];
    EXPECT_GE(sounds.heard[SoundIndex(SoundKind::BallBall)], 15) << "every ball of the rack is struck";
    EXPECT_GE(sounds.heard[SoundIndex(SoundKind::BallCushion)], 4);
    EXPECT_EQ(sounds.heard[SoundIndex(SoundKind::Pocket)], potted);
    EXPECT_EQ(sounds.heard[SoundIndex(SoundKind::CueStrike)], 0) << "the strike is the game's to sound";

    // A rack at rest, touching ball to ball, for a second: not one contact.
    CContactSounds still;
    PlayTable t;
    Ball b[BallSlots] = {};
    rack(b, t);
    b[cue].velocity = vec3();
    t.sink = &still;
    Start(b, t, 1.0, 60 * PlayPassesPerFrame);
    for (int n : still.heard)
        EXPECT_EQ(n, 0);
}

TEST_F(ShotFeel, SinkCountsALastingContactOnceAndANewOneAgain)
{
    CContactSounds sounds;
    for (int pass = 0; pass < 10; ++pass) { // a ball pushed along: touching every pass
        sounds.BallsMet(5, 3, 0.5f);
        sounds.CushionMet(5, 0.5f);
        sounds.PassEnd();
    }
    EXPECT_EQ(sounds.heard[SoundIndex(SoundKind::BallBall)], 1);
    EXPECT_EQ(sounds.heard[SoundIndex(SoundKind::BallCushion)], 1);
    for (int pass = 0; pass <= SameContactPasses; ++pass)
        sounds.PassEnd();
    sounds.BallsMet(3, 5, 0.5f); // the same pair, named the other way round, after a gap
    EXPECT_EQ(sounds.heard[SoundIndex(SoundKind::BallBall)], 2);
    sounds.BallsMet(-1, 40, 1.0f); // not entries: ignored
    EXPECT_EQ(sounds.heard[SoundIndex(SoundKind::BallBall)], 2);
}

TEST_F(ShotFeel, ReplayPlaysTheRecordedShotAndEndsOnTheRestingTable)
{
    PlayTable t = PocketTable();
    RackPractice(balls, t, 3);
    balls[cue].position = vec3(HeadStringX, 0.0f, BallRadius);
    balls[cue].velocity = ShotVelocity(180.0f, 150.0f);
    CShotReplay replay;
    replay.Begin(balls);
    // The game's frames are the display's: uneven ones.
    double played = 0.0;
    for (int n = 0; n < 2000 && !t.Resting(balls, PlayRestSpeed); ++n) {
        const float dt = n % 3 == 0 ? 0.009f : 0.004f;
        Start(balls, t, dt, PlayPassesPerFrame);
        played += dt;
        replay.Record(balls, dt);
    }
    replay.End(balls);
    ASSERT_TRUE(replay.Ready());
    EXPECT_NEAR(replay.Duration(), played, 1e-3);
    EXPECT_NEAR(replay.Samples(), played / ReplaySampleSeconds, played / ReplaySampleSeconds * 0.4 + 2);

    // Normal speed: as many display frames as the shot had seconds; the last
    // frame written is the table at rest, and Advance wrote only what it was given.
    Ball shown[BallSlots] = {};
    Ball untouched[BallSlots] = {};
    std::memcpy(untouched, balls, sizeof balls);
    ASSERT_TRUE(replay.Play(1.0f));
    int frames = 0;
    vec3 firstCue;
    while (replay.Advance(1.0f / 100.0f, shown)) {
        if (frames++ == 0)
            firstCue = shown[cue].position;
    }
    EXPECT_NEAR(frames, played * 100.0, 2.0);
    EXPECT_LT(Length(firstCue - vec3(HeadStringX, 0.0f, BallRadius)), 0.1f) << "starts at the strike";
    for (int k = FirstBall; k <= LastBall; ++k)
        EXPECT_EQ(std::memcmp(&shown[k].position, &balls[k].position, sizeof(vec3)), 0) << k;
    EXPECT_EQ(std::memcmp(untouched, balls, sizeof balls), 0);
    EXPECT_FALSE(replay.Playing());

    // Slower: four times the frames.
    ASSERT_TRUE(replay.Play(ReplaySlowSpeed));
    int slow = 0;
    while (replay.Advance(1.0f / 100.0f, shown))
        ++slow;
    EXPECT_NEAR(slow, 4 * frames, 8);
}

TEST_F(ShotFeel, ReplayOfAVeryLongShotStaysBoundedAndWhole)
{
    Lay(vec3(0.0f, 0.0f, BallRadius), {});
    CShotReplay replay;
    replay.Begin(balls);
    // Ten minutes of play, the cue ball walking 1 mm a frame.
    const int frames = 36000;
    for (int n = 1; n <= frames; ++n) {
        balls[cue].position.x = 0.001f * n;
        replay.Record(balls, 1.0f / 60.0f);
    }
    replay.End(balls);
    EXPECT_LE(replay.Samples(), ReplayMaxSamples);
    EXPECT_NEAR(replay.Duration(), 600.0f, 0.5f);
    // Halfway through the playback the ball is halfway along.
    Ball shown[BallSlots] = {};
    ASSERT_TRUE(replay.Play(1.0f));
    replay.Advance(300.0f, shown);
    EXPECT_NEAR(shown[cue].position.x, 18.0f, 0.05f);
    EXPECT_FALSE(replay.Advance(301.0f, shown));
    EXPECT_FLOAT_EQ(shown[cue].position.x, 36.0f);
    // Nothing to play before a shot ends, or after a clear.
    replay.Begin(balls);
    EXPECT_FALSE(replay.Play(1.0f));
    replay.Clear();
    EXPECT_FALSE(replay.Play(1.0f));
}

// Frame times no frame has (NaN, infinite, or summing past float's range)
// leave no trace: the playback still shows places the record held.
TEST_F(ShotFeel, ReplayIgnoresFrameTimesThatAreNoTimeAndPlaysFinitePlaces)
{
    Lay(vec3(0.0f, 0.0f, BallRadius), {});
    CShotReplay replay;
    replay.Begin(balls);
    balls[cue].position.x = 0.5f;
    for (float dt :
         {0.1f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), 0.1f})
        replay.Record(balls, dt);
    replay.End(balls);
    EXPECT_NEAR(replay.Duration(), std::numeric_limits<float>::max(),
                std::numeric_limits<float>::max() * 1e-6f);
    ASSERT_TRUE(replay.Play(1.0f));
    Ball shown[BallSlots] = {};
    for (float dt : {0.05f, 1e30f, std::numeric_limits<float>::infinity()}) {
        replay.Advance(dt, shown);
        EXPECT_TRUE(shown[cue].position.x >= 0.0f && shown[cue].position.x <= 0.5f)
            << shown[cue].position.x;
    }
}

TEST(AimGuideDefaults, OffOnTheFreeTableAndAgainstAHardOpponentClampedWhenSet)
{
    EXPECT_EQ(AimGuideLevel(0, OpponentEasy, -1), AimGuideOff);
    EXPECT_EQ(AimGuideLevel(0, OpponentEasy, 2), AimGuideOff) << "the free table never shows a guide";
    EXPECT_EQ(AimGuideLevel(1, OpponentHard, -1), AimGuideContact) << "practice has no opponent";
    EXPECT_EQ(AimGuideLevel(2, OpponentMedium, -1), AimGuideContact);
    EXPECT_EQ(AimGuideLevel(3, OpponentHard, -1), AimGuideOff);
    EXPECT_EQ(AimGuideLevel(3, OpponentHard, 2), AimGuidePaths) << "the player's choice wins";
    EXPECT_EQ(AimGuideLevel(1, OpponentEasy, 7), AimGuidePaths);
    EXPECT_EQ(AimGuideLevel(1, OpponentEasy, 0), AimGuideOff);
}

} // namespace
