// 9-ball: lowest ball first, the break, the 9 won or re-spotted, and three fouls in a row.
#include "tests/rules/RulesTest.h"

namespace {

const GameKind G = GameKind::NineBall;

RackState MidRack() { return Position(G, Set({3, 5, 6, 9})); }

TEST(NineBallShots, LowestBallFirstTheBreakAndTheNine)
{
    ExpectVerdicts({
        {"break: the 1 first, four balls to a cushion", Break(G), Shot::Hit(1).Cushions({2, 3, 4, 5}),
         {true, Foul::None}},
        {"break: three balls to a cushion is a foul", Break(G), Shot::Hit(1).Cushions({2, 3, 4}),
         {true, Foul::IllegalBreak}},
        {"break: another ball before the 1", Break(G), Shot::Hit(2).Pot(6), {true, Foul::WrongBallFirst}},
        {"break: the 9 potted wins", Break(G), Shot::Hit(1).Pot(9), {false, Foul::None, Group::Open, 0}},
        {"the lowest hit, another potted: plays on", MidRack(), Shot::Hit(3).Pot(6), {false, Foul::None}},
        {"a higher ball hit first", MidRack(), Shot::Hit(5).Pot(5), {true, Foul::WrongBallFirst}},
        {"the 9 in a combination off the lowest wins", MidRack(), Shot::Hit(3).Pot(9),
         {false, Foul::None, Group::Open, 0}},
        {"the 9 potted on a foul is re-spotted", MidRack(), Shot::Hit(5).Pot(3).Pot(9),
         {true, Foul::WrongBallFirst, Group::Open, -1, BallBit(9)}},
        {"no cushion after contact", MidRack(), Shot::Touch(3), {true, Foul::NoCushion}},
    });
}

TEST(NineBallFouls, ThirdFoulInARowLosesTheRack)
{
    CRules rules(MidRack());
    for (int i = 0; i < 3; ++i) // side 0, side 1, side 0 foul
        rules.Judge(Shot::Miss().e);
    EXPECT_EQ(rules.FoulsInARow(0), 2);
    rules.Judge(Shot::Hit(3).e); // side 1's legal miss wipes its one foul
    EXPECT_EQ(rules.FoulsInARow(1), 0);
    const ShotResult third = rules.Judge(Shot::Miss().e);
    EXPECT_TRUE(third.rackOver);
    EXPECT_EQ(rules.Winner(), 1);
}

} // namespace
