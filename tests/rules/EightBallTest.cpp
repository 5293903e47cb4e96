// 8-ball: the break, open table and groups, fouls, and the 8 won or lost, as shots in and verdicts out.
#include "tests/rules/RulesTest.h"

namespace {

const GameKind G = GameKind::EightBall;
const Group Open = Group::Open;

RackState OpenTable() { return Position(G, BallsUpTo(15) & ~Set({4, 12})); }
// Side 0 has the solids 1 and 2 left, side 1 the stripes 9 and 10.
RackState MidRack() { return Position(G, Set({1, 2, 8, 9, 10}), Group::Solids); }
// Side 0 has cleared the solids and is on the 8.
RackState OnTheEight() { return Position(G, Set({8, 9, 10}), Group::Solids); }

TEST(EightBallBreak, VerdictsFollowTheBreakRule)
{
    ExpectVerdicts({
        {"four balls to a cushion, none potted: legal, turn passes", Break(G),
         Shot::Hit(1).Cushions({3, 7, 11, 14}), {true, Foul::None}},
        {"a ball potted: the breaker plays on", Break(G), Shot::Hit(1).Pot(9), {false, Foul::None}},
        {"the cue ball potted on a legal break: foul", Break(G),
         Shot::Hit(1).Cushions({2, 3, 5, 6}).Scratch(), {true, Foul::CuePotted}},
        {"the 8 potted on the break: re-spotted, the breaker plays on", Break(G),
         Shot::Hit(1).Pot(8), {false, Foul::None, Open, -1, BallBit(8)}},
        {"the 8 and the cue ball potted on the break: re-spotted, a foul", Break(G),
         Shot::Hit(1).Pot(8).Scratch(), {true, Foul::CuePotted, Open, -1, BallBit(8)}},
    });
}

TEST(EightBallBreak, ThreeBallsToACushionReRackForTheOtherSide)
{
    CRules rules(G);
    const ShotResult r = rules.Judge(Shot::Hit(1).Cushions({2, 3, 4}).e);
    EXPECT_FALSE(r.legalBreak);
    EXPECT_TRUE(r.reRack);
    EXPECT_EQ(rules.Turn(), 1);
    EXPECT_TRUE(rules.BreakPending());
}

TEST(EightBallGroups, FirstLegalPotAfterTheBreakDecidesTheGroups)
{
    ExpectVerdicts({
        {"a solid potted: solids, plays on", OpenTable(), Shot::Hit(3).Pot(3),
         {false, Foul::None, Group::Solids}},
        {"a stripe potted off a solid hit first: stripes", OpenTable(), Shot::Hit(3).Pot(13),
         {false, Foul::None, Group::Stripes}},
        {"both groups potted: the group of the ball hit first", OpenTable(),
         Shot::Hit(11).Pot(2).Pot(11), {false, Foul::None, Group::Stripes}},
        {"a pot on a foul decides nothing", OpenTable(), Shot::Hit(3).Pot(3).Scratch(),
         {true, Foul::CuePotted}},
        {"the 8 hit first on an open table", OpenTable(), Shot::Hit(8).Pot(3),
         {true, Foul::WrongBallFirst}},
    });
    CRules rules(OpenTable());
    rules.Judge(Shot::Hit(10).Pot(10).e);
    EXPECT_EQ(rules.GroupOf(1), Group::Solids);
}

TEST(EightBallFouls, StandardFoulsGiveBallInHand)
{
    ExpectVerdicts({
        {"the opponent's ball hit first", MidRack(), Shot::Hit(9).Pot(1), {true, Foul::WrongBallFirst}},
        {"the 8 hit first before the group is cleared", MidRack(), Shot::Hit(8),
         {true, Foul::WrongBallFirst}},
        {"no ball hit", MidRack(), Shot::Miss().Cushions({0}), {true, Foul::NoBallHit}},
        {"no cushion after contact, nothing potted", MidRack(), Shot::Touch(1), {true, Foul::NoCushion}},
        {"an object ball at a cushion is enough", MidRack(), Shot::Touch(1).Cushions({9}),
         {true, Foul::None}},
        {"a pot needs no cushion", MidRack(), Shot::Touch(1).Pot(2), {false, Foul::None}},
        {"only the opponent's ball potted: the turn passes", MidRack(), Shot::Hit(2).Pot(10),
         {true, Foul::None}},
    });
    CRules rules(MidRack());
    rules.Judge(Shot::Hit(9).Pot(1).Pot(9).e); // balls potted on a foul stay down
    EXPECT_EQ(rules.BallsNeeded(0), Set({2, 8}));
    EXPECT_EQ(rules.BallsNeeded(1), Set({8, 10}));
}

TEST(EightBallEnd, TheEightWinsOnlyAfterTheGroupAndWithoutAFoul)
{
    ExpectVerdicts({
        {"potted after the group: wins", OnTheEight(), Shot::Hit(8).Pot(8), {false, Foul::None, Open, 0}},
        {"potted with the cue ball: loses", OnTheEight(), Shot::Hit(8).Pot(8).Scratch(),
         {true, Foul::CuePotted, Open, 1}},
        {"potted off the opponent's ball hit first: loses", OnTheEight(), Shot::Hit(9).Pot(8),
         {true, Foul::WrongBallFirst, Open, 1}},
        {"a scratch that leaves the 8 up is only a foul", OnTheEight(), Shot::Hit(8).Scratch(),
         {true, Foul::CuePotted}},
        {"potted while own balls remain: loses", MidRack(), Shot::Hit(1).Pot(8), {true, Foul::None, Open, 1}},
        {"potted with the last of the group: loses", Position(G, Set({1, 8, 9}), Group::Solids),
         Shot::Hit(1).Pot(1).Pot(8), {true, Foul::None, Open, 1}},
        {"potted on an open table: loses", OpenTable(), Shot::Hit(3).Pot(3).Pot(8),
         {true, Foul::None, Open, 1}},
    });
}

} // namespace
