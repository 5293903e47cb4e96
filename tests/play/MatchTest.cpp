// The rules modes' shot cycle without a window: real shots on the session's table, judged and carried out on the balls.
#include <gtest/gtest.h>

#include <cmath>

#include "physics/Simulation.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/Match.h"
#include "play/PlayShot.h"
#include "tests/support/DefaultWorld.h"

namespace {

class MatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        match.NewRack(play, balls, GameKind::EightBall, 5, 0);
        cue = play.CueEntry();
    }
    Ball& B(int number) { return balls[play.table.EntryOf(number)]; }
    // Puts the cue ball down at (x, y) from the hand, if it is in hand.
    void Place(float x, float y)
    {
        ASSERT_EQ(play.phase, CPlaySession::InHand);
        play.MoveHand(balls, x - play.hand.x, y - play.hand.y);
        ASSERT_EQ(play.PlaceHand(balls), Placement::Allowed);
    }
    // Every object ball but `keep` off to the tray, as if potted earlier: a clear table to shoot on.
    void ClearAllBut(int keep)
    {
        for (int n = 1; n <= 15; ++n)
            if (n != keep) {
                const int k = play.table.EntryOf(n);
                play.table.potted[k] = true;
                play.table.pocket[k] = -1;
                balls[k].position = vec3(0.0f, 0.0f, -1.0f);
            }
    }
    // Strikes the cue ball toward (x, y) at `speed` m/s and plays frames until
    // the session stops rolling, then hands the shot to the referee.
    ShotResult Shoot(float x, float y, float speed)
    {
        const vec3 from = balls[cue].position;
        vec3 d(x - from.x, y - from.y, 0.0f);
        d = d * (speed / std::sqrt(d.x * d.x + d.y * d.y));
        EXPECT_TRUE(play.Strike(balls, d));
        for (int frame = 0; frame < 3600 && play.phase == CPlaySession::Rolling; ++frame) {
            Start(balls, play.table, PlayFrameSeconds, PlayPassesPerFrame);
            play.Advance(balls, static_cast<float>(PlayFrameSeconds));
        }
        EXPECT_NE(play.phase, CPlaySession::Rolling);
        return match.EndShot(play, balls, 11);
    }
    // The referee's state as after a legal break that potted nothing: groups open.
    void Unbroken()
    {
        RackState s = match.rules.State();
        s.breakPending = false;
        match.rules = CRules(s);
    }
    static int HeadCorner()
    {
        for (int p = 0; p < PocketCount; ++p)
            if (!MiddlePocket(p) && PocketCentreX(p) > 0.0f && PocketCentreY(p) > 0.0f)
                return p;
        return -1;
    }
    // Ball `number` 0.2 m out of the head corner on its diagonal, the cue ball
    // 0.3 m behind it on the same line (behind the head string: a break may
    // play it), a firm stun shot through it.
    ShotResult PotStraight(int number)
    {
        const int p = HeadCorner();
        const float px = PocketCentreX(p), py = PocketCentreY(p);
        const float u = 0.70710678f;
        const int k = play.table.EntryOf(number);
        play.table.potted[k] = false;
        balls[k].position = vec3(px - 0.2f * u, py - 0.2f * u, BallRadius);
        Place(px - 0.5f * u, py - 0.5f * u);
        return Shoot(px, py, 2.5f);
    }
    int OnCloth() const
    {
        int n = 0;
        for (int k = FirstBall; k <= LastBall; ++k)
            n += play.table.number[k] != 0 && !play.table.potted[k];
        return n;
    }

    Ball balls[BallSlots] = {};
    CPlaySession play;
    CMatch match;
    int cue = 0;
    CDefaultWorld world;
};

TEST_F(MatchTest, BreakThatTouchesNothingReracksWithTheOtherSideBreakingFromTheKitchen)
{
    // Played away from the rack, softly: no ball hit, none to a cushion.
    Place(HeadStringX + 0.2f, 0.0f);
    const ShotResult r = Shoot(CushionX, 0.0f, 0.3f);
    EXPECT_TRUE(r.reRack);
    EXPECT_EQ(match.rules.Turn(), 1);
    EXPECT_EQ(match.breaker, 1);
    EXPECT_TRUE(match.rules.BreakPending());
    EXPECT_EQ(OnCloth(), 15) << "a fresh rack";
    EXPECT_EQ(play.phase, CPlaySession::InHand);
    EXPECT_TRUE(play.Kitchen());
    EXPECT_EQ(play.shots, 0);
    int apex = 0;
    for (int n = 1; n <= 15; ++n)
        apex += B(n).position.x == FootSpotX && B(n).position.y == 0.0f;
    EXPECT_EQ(apex, 1) << "a ball on the foot spot again, at the apex";
}

TEST_F(MatchTest, EightPottedOnTheBreakComesBackToTheFootSpotAndTheBreakerPlaysOn)
{
    ClearAllBut(8);
    const ShotResult r = PotStraight(8);
    ASSERT_TRUE(r.wasBreak && r.legalBreak) << r.text;
    ASSERT_FALSE(play.table.potted[cue]) << "the cue ball stopped short";
    EXPECT_EQ(r.respot, BallBit(8));
    EXPECT_FALSE(play.table.potted[play.table.EntryOf(8)]);
    EXPECT_NEAR(B(8).position.x, FootSpotX, 1e-6);
    EXPECT_NEAR(B(8).position.y, 0.0f, 1e-6);
    EXPECT_TRUE(play.tray.empty()) << "the 8 left the tray";
    EXPECT_EQ(match.rules.Turn(), 0) << "a pot on the break keeps the breaker at the table";
    EXPECT_EQ(play.phase, CPlaySession::Aim);
}

TEST_F(MatchTest, ScratchAfterTheBreakGivesTheOtherSideTheCueBallAnywhere)
{
    match.opponent = 2;
    Unbroken();
    ClearAllBut(1);
    B(1).position = vec3(FootSpotX, 0.0f, BallRadius);
    // Straight into the head corner, touching nothing.
    Place(HeadStringX + 0.2f, 0.2f);
    const int p = HeadCorner();
    const ShotResult r = Shoot(PocketCentreX(p), PocketCentreY(p), 1.5f);
    EXPECT_EQ(r.foul, Foul::CuePotted);
    EXPECT_TRUE(r.turnPasses && r.ballInHand);
    EXPECT_EQ(match.rules.Turn(), 1);
    EXPECT_TRUE(match.ComputerToPlay());
    EXPECT_EQ(play.phase, CPlaySession::InHand);
    EXPECT_FALSE(play.Kitchen()) << "after a foul the hand is not held behind the head string";
    Place(-0.5f, 0.3f);
    EXPECT_EQ(play.phase, CPlaySession::Aim);
}

TEST_F(MatchTest, EightPottedEarlyEndsTheRackForTheOtherSideAndNoOneIsToPlay)
{
    match.opponent = 3;
    Unbroken();
    ClearAllBut(8);
    const ShotResult r = PotStraight(8);
    EXPECT_TRUE(r.rackOver);
    EXPECT_EQ(r.winner, 1);
    EXPECT_TRUE(match.rules.RackOver());
    EXPECT_FALSE(match.ComputerToPlay()) << "the computer does not play on after the rack";
    EXPECT_EQ(r.respot, 0);
    ASSERT_EQ(play.tray.size(), 1u);
    EXPECT_EQ(play.tray[0], 8);
}

TEST_F(MatchTest, NineBallRacksTheDiamondAndRespotsTheNinePottedOnAFoul)
{
    match.NewRack(play, balls, GameKind::NineBall, 3, 0);
    EXPECT_EQ(OnCloth(), 9);
    EXPECT_FLOAT_EQ(B(1).position.x, FootSpotX);
    for (int n = 10; n <= 15; ++n)
        EXPECT_TRUE(play.table.potted[play.table.EntryOf(n)]) << n;
    // After the break: the 9 potted while the 1 is the ball on is a foul, and the 9 comes back.
    RackState s = match.rules.State();
    s.breakPending = false;
    match.rules = CRules(s);
    ClearAllBut(9);
    B(1).position = vec3(FootSpotX - 0.3f, -0.5f, BallRadius);
    play.table.potted[play.table.EntryOf(1)] = false;
    const ShotResult r = PotStraight(9);
    EXPECT_EQ(r.foul, Foul::WrongBallFirst);
    EXPECT_TRUE(Has(r.respot, 9));
    EXPECT_FALSE(play.table.potted[play.table.EntryOf(9)]);
    EXPECT_TRUE(play.tray.empty());
    EXPECT_EQ(match.rules.Turn(), 1);
    EXPECT_EQ(play.phase, CPlaySession::InHand);
}

} // namespace
