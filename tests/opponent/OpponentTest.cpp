// The computer opponent as outcomes: simple pots go in at the hard level, its plans hit a legal ball first, ball in hand is put down legally, and the worker thread decides as a direct call does.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "opponent/Opponent.h"
#include "opponent/ShotPlanner.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/BallInHand.h"
#include "play/PlayShot.h"
#include "tests/support/DefaultWorld.h"

namespace {

// Few candidates, short runs: the suite also runs unoptimised under the sanitizers.
OpponentSettings Quick(int level, unsigned seed)
{
    OpponentSettings s;
    s.level = level;
    s.seed = seed;
    s.lines = 3;
    s.speeds = 3;
    s.refine = 1;
    s.robust = 2;
    s.shotSeconds = 10.0;
    return s;
}

// Fewer still, for the tests that decide many times and check choices, not pots.
OpponentSettings Lean(int level, unsigned seed)
{
    OpponentSettings s = Quick(level, seed);
    s.lines = 2;
    s.speeds = 1;
    s.robust = 1;
    s.shotSeconds = 6.0;
    s.fan = 12;
    return s;
}

class OpponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.table = PocketTable();
        cue = view.table.EntryOf(0);
        // Every ball off the table until a test puts it on.
        for (int k = FirstBall; k <= LastBall; ++k) {
            view.balls[k] = Ball{};
            view.balls[k].position = vec3(0.0f, 0.0f, -1.0f);
            view.table.potted[k] = k != cue;
        }
    }

    // 8-ball after the break, groups decided: side 0 has the solids.
    void Groups(std::initializer_list<int> onTable)
    {
        RackState s;
        s.breakPending = false;
        s.group[0] = Group::Solids;
        s.group[1] = Group::Stripes;
        s.onTable = 0;
        for (int n : onTable)
            s.onTable = BallSet(s.onTable | BallBit(n));
        view.rules = CRules(s);
    }
    void Put(int number, float x, float y)
    {
        const int k = view.table.EntryOf(number);
        view.balls[k].position = vec3(x, y, BallRadius);
        view.table.potted[k] = false;
    }

    // Plays `shot` on a copy of the view as the game would; answers what it did.
    ShotEvents Play(const OpponentShot& shot, bool planned = false)
    {
        Ball balls[BallSlots];
        std::copy(view.balls, view.balls + BallSlots, balls);
        PlayTable table = view.table;
        ShotEvents events;
        table.events = &events;
        if (shot.place) {
            balls[cue].position = shot.cue;
            table.potted[cue] = false;
        }
        balls[cue].velocity = planned ? ShotVelocity(shot.plannedAngle, shot.plannedStrength) : shot.Velocity();
        bool resting = false;
        RunUntilRest(balls, table, 30.0, resting);
        EXPECT_TRUE(resting);
        return events;
    }
    static bool Potted(const ShotEvents& e, int number)
    {
        for (const ShotEvents::Pot& p : e.potted)
            if (p.ball == number)
                return true;
        return false;
    }

    OpponentView view;
    int cue = 0;
    CDefaultWorld world;
};

// Simple pots at the hard level, played with its own aim error: in the jaws of
// a corner, at a middle pocket's mouth, a straight shot of a metre into a corner.
TEST_F(OpponentTest, HardLevelPotsSimplePositionsAndKeepsTheTable)
{
    struct Case {
        const char* name;
        float cueX, cueY, ballX, ballY;
    } cases[] = {
        {"in the jaws of a corner", 0.6f, 0.2f, CushionX - 0.04f, CushionY - 0.04f},
        {"at a middle pocket's mouth", 0.3f, 0.0f, 0.05f, -(CushionY - 0.05f)},
        {"straight into a corner from a metre", -0.3f, -0.2f, 0.55f, 0.37f},
    };
    for (const Case& c : cases)
        for (unsigned seed : {1u, 2u}) {
            SCOPED_TRACE(::testing::Message() << c.name << ", seed " << seed);
            SetUp();
            Groups({3, 8, 12});
            Put(0, c.cueX, c.cueY);
            Put(3, c.ballX, c.ballY);
            Put(8, -1.2f, 0.0f);
            Put(12, -1.0f, -0.6f);
            const OpponentShot shot = ChooseShot(view, Quick(3, seed));
            EXPECT_FALSE(shot.place);
            EXPECT_EQ(shot.target, 3);
            const ShotEvents e = Play(shot);
            EXPECT_EQ(e.firstContact, 3);
            EXPECT_TRUE(Potted(e, 3));
            EXPECT_FALSE(e.CuePotted());
            CRules rules = view.rules;
            const ShotResult r = rules.Judge(e);
            EXPECT_FALSE(r.IsFoul());
            EXPECT_FALSE(r.turnPasses);
        }
}

// Scattered positions where the side's own balls are few and the other
// group's many: whenever a candidate made a legal first contact, the shot it
// plans (before the aim error) makes one too, and it never pots the 8 early.
TEST_F(OpponentTest, PlannedShotHitsALegalBallFirstWheneverACandidateDid)
{
    int checked = 0;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(::testing::Message() << "layout " << seed);
        SetUp();
        Groups({2, 8, 9, 10, 11, 12, 13, 14});
        std::mt19937 rng(seed);
        std::uniform_real_distribution<float> x(-CushionX + 0.1f, CushionX - 0.1f), y(-CushionY + 0.1f, CushionY - 0.1f);
        for (int n : {0, 2, 8, 9, 10, 11, 12, 13, 14}) {
            float px, py;
            const int k = view.table.EntryOf(n);
            do {
                px = x(rng);
                py = y(rng);
            } while (CheckPlacement(view.balls, view.table, k, px, py, false) != Placement::Allowed);
            Put(n, px, py);
        }
        const OpponentShot shot = ChooseShot(view, Lean(3, seed));
        if (!shot.legalFound)
            continue;
        ++checked;
        const ShotEvents e = Play(shot, true);
        EXPECT_EQ(e.firstContact, 2);
        EXPECT_FALSE(Potted(e, 8));
    }
    EXPECT_GE(checked, 3); // the layouts are open enough that most offer a legal hit
}

// Ball in hand: it puts the cue ball where the rules allow and pots from there;
// on a break it stays behind the head string.
TEST_F(OpponentTest, BallInHandIsPlacedLegallyAndUsed)
{
    Groups({3, 8, 12});
    Put(3, -0.9f, 0.4f);
    Put(8, -1.2f, 0.0f);
    Put(12, -0.6f, 0.7f); // off every line of the 3 to a pocket
    view.inHand = true;
    view.table.potted[cue] = true;
    const OpponentShot shot = ChooseShot(view, Quick(3, 5));
    ASSERT_TRUE(shot.place);
    EXPECT_EQ(CheckPlacement(view.balls, view.table, cue, shot.cue.x, shot.cue.y, false), Placement::Allowed);
    const ShotEvents e = Play(shot);
    EXPECT_EQ(e.firstContact, 3);
    EXPECT_TRUE(Potted(e, 3));

    SetUp();
    view.rules = CRules(GameKind::EightBall); // a break to play
    Put(1, FootSpotX, 0.0f);
    Put(2, FootSpotX - 0.1f, 0.06f);
    Put(3, FootSpotX - 0.1f, -0.06f);
    view.inHand = view.kitchen = true;
    view.table.potted[cue] = true;
    const OpponentShot brk = ChooseShot(view, Quick(3, 5));
    ASSERT_TRUE(brk.place);
    EXPECT_EQ(CheckPlacement(view.balls, view.table, cue, brk.cue.x, brk.cue.y, true), Placement::Allowed);
    EXPECT_GE(brk.strength, 140.0f);
}

// The worker's decision equals the direct call's for the same view and seed,
// at every level; a cancelled decision ends at once and leaves it idle.
TEST_F(OpponentTest, WorkerThreadDecidesAsADirectCallAndCancels)
{
    Groups({3, 5, 8, 12});
    Put(0, 0.4f, -0.1f);
    Put(3, -0.5f, 0.6f);
    Put(5, 1.0f, -0.7f);
    Put(8, -1.1f, -0.2f);
    Put(12, 0.1f, 0.3f);
    COpponent opponent;
    for (int level : {1, 3}) {
        const OpponentSettings settings = Lean(level, 42u + level);
        opponent.Start(view, settings);
        const OpponentShot direct = ChooseShot(view, settings);
        while (!opponent.Ready())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const OpponentShot worker = opponent.Take();
        EXPECT_FALSE(opponent.Busy());
        EXPECT_EQ(worker.angle, direct.angle);
        EXPECT_EQ(worker.strength, direct.strength);
        EXPECT_EQ(worker.target, direct.target);
        EXPECT_EQ(worker.simulated, direct.simulated);
    }
    OpponentSettings slow;
    slow.shotSeconds = 60.0;
    opponent.Start(view, slow);
    const auto begin = std::chrono::steady_clock::now();
    opponent.Cancel();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 2.0);
    EXPECT_FALSE(opponent.Busy());
    EXPECT_FALSE(opponent.Ready());
}

} // namespace
