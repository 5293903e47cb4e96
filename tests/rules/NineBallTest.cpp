// 9-ball: lowest ball first, the break, the 9 won or re-spotted, and three fouls in a row.
#include "tests/rules/RulesTest.h"

namespace {

const GameKind G = GameKind::NineBall;

RackState MidRack() { return Position(G, Set({3, 5, 6, 9})); }

TEST(NineBallBreak, VerdictsFollowTheBreakRule)
{
    const Scenario scenarios[] = {
        {"the 1 first and four balls to a cushion: legal, turn passes", Break(G),
         Shot::Hit(1).Cushions({2, 3, 4, 5}), {true, Foul::None}},
        {"the 1 first and a ball potted: the breaker plays on", Break(G),
         Shot::Hit(1).Pot(6), {false, Foul::None}},
        {"three balls to a cushion: a foul, ball in hand", Break(G),
         Shot::Hit(1).Cushions({0, 2, 3, 4}), {true, Foul::IllegalBreak}},
        {"another ball hit before the 1", Break(G), Shot::Hit(2).Pot(6), {true, Foul::WrongBallFirst}},
        {"the 9 potted on a legal break wins", Break(G), Shot::Hit(1).Pot(9), {false, Foul::None, Group::Open, 0}},
    };
    for (const Scenario& sc : scenarios)
        ExpectVerdict(sc);
}

TEST(NineBallPlay, LowestBallFirstAndTheNine)
{
    const Scenario scenarios[] = {
        {"the lowest ball hit first and potted: plays on", MidRack(), Shot::Hit(3).Pot(3), {false, Foul::None}},
        {"a higher ball hit first", MidRack(), Shot::Hit(5).Pot(5), {true, Foul::WrongBallFirst}},
        {"the lowest ball hit, another potted: plays on", MidRack(), Shot::Hit(3).Pot(6), {false, Foul::None}},
        {"the 9 potted in a combination off the lowest ball wins", MidRack(),
         Shot::Hit(3).Pot(9), {false, Foul::None, Group::Open, 0}},
        {"the 9 potted with the cue ball: a foul, no win", MidRack(),
         Shot::Hit(3).Pot(9).Scratch(), {true, Foul::CuePotted}},
        {"no cushion after contact", MidRack(), Shot::HitNoCushion(3), {true, Foul::NoCushion}},
    };
    for (const Scenario& sc : scenarios)
        ExpectVerdict(sc);
}

TEST(NineBallPlay, NinePottedOnAFoulIsRespottedAndTheOthersStayDown)
{
    CRules rules(MidRack());
    const ShotResult r = rules.Judge(Shot::Hit(5).Pot(3).Pot(9).e);
    EXPECT_EQ(r.respot, BallBit(9));
    EXPECT_EQ(rules.BallsOnTable(), Set({5, 6, 9}));
    EXPECT_EQ(rules.TargetBalls(), BallBit(5));
}

TEST(NineBallFouls, ThirdFoulInARowLosesTheRack)
{
    CRules rules(MidRack());
    // Side 0 fouls; side 1 fouls back; side 0 fouls again: two in a row.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(rules.Judge(Shot::Miss().e).IsFoul());
    EXPECT_EQ(rules.FoulsInARow(0), 2);
    EXPECT_EQ(rules.FoulsInARow(1), 1);
    rules.Judge(Shot::Hit(3).e); // side 1 plays legally: its count starts again
    EXPECT_EQ(rules.FoulsInARow(1), 0);
    const ShotResult third = rules.Judge(Shot::Miss().e);
    EXPECT_TRUE(third.rackOver);
    EXPECT_EQ(third.winner, 1);
    EXPECT_EQ(rules.Winner(), 1);
}

TEST(NineBallFouls, LegalShotBetweenFoulsResetsTheCount)
{
    CRules rules(MidRack());
    rules.Judge(Shot::Miss().e);            // side 0: 1
    rules.Judge(Shot::Hit(3).e);            // side 1 misses legally
    rules.Judge(Shot::Miss().e);            // side 0: 2
    rules.Judge(Shot::Hit(3).e);            // side 1 misses legally
    rules.Judge(Shot::Hit(3).Pot(3).e);     // side 0 pots legally: 0
    rules.Judge(Shot::Miss().e);            // side 0: 1
    EXPECT_FALSE(rules.RackOver());
    EXPECT_EQ(rules.FoulsInARow(0), 1);
}

} // namespace
