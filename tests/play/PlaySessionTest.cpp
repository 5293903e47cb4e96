// The practice shot cycle without a window: where the cue ball may go down, scratches, the tray, the lock on striking.
#include <gtest/gtest.h>

#include <cmath>

#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/BallInHand.h"
#include "play/PlayShot.h"
#include "play/PlaySession.h"
#include "tests/support/DefaultWorld.h"

namespace {

class PlaySessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.Rack(balls, 7);
        cue = session.CueEntry();
    }
    // Frames of the game's length until the session leaves Rolling (or 30 s).
    void PlayOut()
    {
        for (int frame = 0; frame < 1800 && session.phase == CPlaySession::Rolling; ++frame) {
            Start(balls, session.table, PlayFrameSeconds, PlayPassesPerFrame);
            session.Advance(balls, static_cast<float>(PlayFrameSeconds));
        }
    }

    Ball balls[BallSlots] = {};
    CPlaySession session;
    int cue = 0;
    CDefaultWorld world;
};

TEST_F(PlaySessionTest, PlacementRefusedOnABallOrOffTheClothOrPastTheHeadStringAtABreak)
{
    const PlayTable& t = session.table;
    // Ball 1 out on open cloth, clear of the rack.
    balls[t.EntryOf(1)].position = vec3(0.0f, -0.5f, BallRadius);
    const vec3 apex = balls[t.EntryOf(1)].position;
    // On another ball: overlapping by a hair is enough.
    EXPECT_EQ(CheckPlacement(balls, t, cue, apex.x, apex.y, false), Placement::OnBall);
    EXPECT_EQ(CheckPlacement(balls, t, cue, apex.x + 0.099f, apex.y, false), Placement::OnBall);
    // Off the cloth: into a cushion, past it, in a pocket, or nowhere at all.
    EXPECT_EQ(CheckPlacement(balls, t, cue, 0.0f, CushionY - 0.04f, false), Placement::OffCloth);
    EXPECT_EQ(CheckPlacement(balls, t, cue, -CushionX - 0.2f, 0.0f, false), Placement::OffCloth);
    EXPECT_EQ(CheckPlacement(balls, t, cue, PocketCentreX(0), PocketCentreY(0), false), Placement::OffCloth);
    EXPECT_EQ(CheckPlacement(balls, t, cue, NAN, 0.0f, false), Placement::OffCloth);
    // At a break only behind the head string.
    EXPECT_EQ(CheckPlacement(balls, t, cue, 0.0f, 0.0f, true), Placement::PastHeadString);
    // Accepted: open cloth, a cushion touched exactly, behind the head string at a break.
    EXPECT_EQ(CheckPlacement(balls, t, cue, 0.3f, 0.4f, false), Placement::Allowed);
    EXPECT_EQ(CheckPlacement(balls, t, cue, 0.3f, CushionY - BallRadius, false), Placement::Allowed);
    EXPECT_EQ(CheckPlacement(balls, t, cue, 1.2f, -0.5f, true), Placement::Allowed);
    EXPECT_EQ(CheckPlacement(balls, t, cue, apex.x + 0.101f, apex.y, false), Placement::Allowed);
    // A potted ball is not in the way, nor the cue ball itself.
    EXPECT_EQ(CheckPlacement(balls, t, t.EntryOf(1), apex.x, apex.y, false), Placement::Allowed);
}

TEST_F(PlaySessionTest, HandStaysOnTheClothAndInTheKitchenAndGoesDownOnlyWhereAllowed)
{
    ASSERT_EQ(session.phase, CPlaySession::InHand);
    EXPECT_FALSE(session.Strike(balls, vec3(1.0f, 0.0f, 0.0f))) << "no strike with the ball in hand";
    // Pushed far toward the rack and the side: held at the head string and the cushion.
    session.MoveHand(balls, -5.0f, 5.0f);
    EXPECT_FLOAT_EQ(session.hand.x, HeadStringX);
    EXPECT_FLOAT_EQ(session.hand.y, CushionY - BallRadius);
    EXPECT_EQ(session.PlaceHand(balls), Placement::Allowed);
    EXPECT_EQ(session.phase, CPlaySession::Aim);
    EXPECT_FALSE(session.table.potted[cue]);
    EXPECT_EQ(balls[cue].position.x, HeadStringX);
}

TEST_F(PlaySessionTest, ScratchSinksTheCueBallAndHandsItBackWithoutAStrikeBetween)
{
    session.PlaceHand(balls);
    // Straight into the +x +y corner from the head spot's neighbourhood.
    balls[cue].position = vec3(1.1f, 0.6f, BallRadius);
    const vec3 in(PocketCentreX(0) - 1.1f, PocketCentreY(0) - 0.6f, 0.0f);
    ASSERT_TRUE(session.Strike(balls, in * (2.0f / Length(in))));
    EXPECT_EQ(session.shots, 1);
    EXPECT_FALSE(session.Strike(balls, vec3(1.0f, 0.0f, 0.0f))) << "locked while rolling";
    PlayOut();
    EXPECT_TRUE(session.events.CuePotted());
    EXPECT_EQ(session.phase, CPlaySession::InHand);
    EXPECT_TRUE(session.Kitchen()) << "a scratch on the first shot is played from the kitchen";
    EXPECT_TRUE(session.tray.empty()) << "the cue ball is not a potted ball";
    // The cue ball waits on the cloth where the hand puts it, not in the pocket.
    EXPECT_EQ(CheckPlacement(balls, session.table, cue, session.hand.x, session.hand.y, true), Placement::Allowed);
}

TEST_F(PlaySessionTest, PottedBallsSinkThenLineUpInTheTrayOnTheFootRail)
{
    session.PlaceHand(balls);
    // Two object balls rolled into two pockets at once, and the cue ball off to the side.
    const int a = session.table.EntryOf(3), b = session.table.EntryOf(12);
    balls[cue].position = vec3(0.5f, -0.5f, BallRadius);
    balls[a].position = vec3(-1.2f, 0.7f, BallRadius);
    balls[a].velocity = vec3(-1.0f, 1.0f, 0.0f);
    balls[b].position = vec3(0.0f, -0.7f, BallRadius);
    balls[b].velocity = vec3(0.0f, -1.5f, 0.0f);
    // Nothing else in their way.
    for (int k = FirstBall; k <= LastBall; ++k)
        if (k != a && k != b && k != cue)
            session.table.potted[k] = true;
    ASSERT_TRUE(session.Strike(balls, vec3()));
    bool sankBelowTheCloth = false;
    for (int frame = 0; frame < 1800 && session.phase == CPlaySession::Rolling; ++frame) {
        Start(balls, session.table, PlayFrameSeconds, PlayPassesPerFrame);
        session.Advance(balls, static_cast<float>(PlayFrameSeconds));
        sankBelowTheCloth |= balls[a].position.z < -BallRadius;
    }
    EXPECT_TRUE(sankBelowTheCloth);
    EXPECT_EQ(session.phase, CPlaySession::Aim);
    ASSERT_EQ(session.tray.size(), 2u);
    // In the order they dropped, side by side on the foot rail, above the bed.
    const int first = session.tray[0] == 3 ? a : b, second = first == a ? b : a;
    EXPECT_EQ(balls[first].position.x, TraySlot(0).x);
    EXPECT_LT(balls[first].position.x, -RailInnerX);
    EXPECT_GT(balls[first].position.z, BallRadius);
    EXPECT_NEAR(balls[second].position.y - balls[first].position.y, 2.0f * BallRadius, 0.01f);
    EXPECT_TRUE(session.table.potted[a] && session.table.potted[b]);
}

} // namespace
