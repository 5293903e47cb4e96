// 8-ball: the break, open table and groups, fouls, and the 8 won or lost, as shots in and verdicts out.
#include "tests/rules/RulesTest.h"

namespace {

const GameKind G = GameKind::EightBall;
const Group Open = Group::Open;
const Group Solids = Group::Solids;
const Group Stripes = Group::Stripes;

RackState OpenTable() { return Position(G, BallsUpTo(15) & ~Set({4, 12})); }
// Side 0 has the solids 1 and 2 left, side 1 the stripes 9 and 10.
RackState MidRack() { return Position(G, Set({1, 2, 8, 9, 10}), Solids); }
// Side 0 has cleared the solids and is on the 8.
RackState OnTheEight() { return Position(G, Set({8, 9, 10}), Solids); }

TEST(EightBallBreak, VerdictsFollowTheBreakRule)
{
    const Scenario scenarios[] = {
        {"four balls to a cushion, none potted: legal, turn passes", Break(G),
         Shot::Hit(1).Cushions({0, 3, 7, 11, 14}), {true, Foul::None}},
        {"a ball potted: legal, the breaker plays on with the table open", Break(G),
         Shot::Hit(1).Cushions({2}).Pot(9), {false, Foul::None}},
        {"three balls to a cushion: illegal, the other side breaks again", Break(G),
         Shot::Hit(1).Cushions({0, 3, 7, 11}), {true, Foul::None}},
        {"the cue ball potted on a legal break: foul, ball in hand", Break(G),
         Shot::Hit(1).Cushions({2, 3, 5, 6}).Scratch(), {true, Foul::CuePotted}},
        {"the 8 potted on the break: no loss, the breaker plays on", Break(G),
         Shot::Hit(1).Cushions({2}).Pot(8), {false, Foul::None}},
        {"the 8 and the cue ball potted on the break: no loss, a foul", Break(G),
         Shot::Hit(1).Pot(8).Scratch(), {true, Foul::CuePotted}},
    };
    for (const Scenario& sc : scenarios)
        ExpectVerdict(sc);
}

TEST(EightBallBreak, IllegalBreakReRacksForTheOtherSide)
{
    CRules rules(G);
    const ShotResult r = rules.Judge(Shot::Hit(1).Cushions({0, 2, 3, 4}).e); // three object balls
    EXPECT_TRUE(r.wasBreak);
    EXPECT_FALSE(r.legalBreak);
    EXPECT_TRUE(r.reRack);
    EXPECT_EQ(r.nextShooter, 1);
    EXPECT_TRUE(rules.BreakPending());
    EXPECT_EQ(rules.BallsOnTable(), BallsUpTo(15));
}

TEST(EightBallBreak, EightPottedOnTheBreakIsRespottedAndTheOthersStayDown)
{
    CRules rules(G);
    const ShotResult r = rules.Judge(Shot::Hit(1).Pot(8).Pot(3).e);
    EXPECT_EQ(r.respot, BallBit(8));
    EXPECT_EQ(rules.BallsOnTable(), BallsUpTo(15) & ~BallBit(3));
    EXPECT_FALSE(rules.BreakPending());
    EXPECT_EQ(rules.GroupOf(0), Open); // pots on the break decide nothing
}

TEST(EightBallGroups, FirstLegalPotAfterTheBreakDecidesTheGroups)
{
    const Scenario scenarios[] = {
        {"a solid potted: the shooter takes solids and plays on", OpenTable(),
         Shot::Hit(3).Pot(3), {false, Foul::None, Solids}},
        {"a stripe potted off a solid hit first: stripes", OpenTable(),
         Shot::Hit(3).Pot(13), {false, Foul::None, Stripes}},
        {"both groups potted: the group of the ball hit first", OpenTable(),
         Shot::Hit(11).Pot(2).Pot(11), {false, Foul::None, Stripes}},
        {"a pot on a foul decides nothing", OpenTable(),
         Shot::Hit(3).Pot(3).Scratch(), {true, Foul::CuePotted}},
        {"the 8 hit first on an open table is a foul", OpenTable(),
         Shot::Hit(8).Pot(3), {true, Foul::WrongBallFirst}},
        {"a miss leaves the table open and passes the turn", OpenTable(),
         Shot::Hit(5), {true, Foul::None}},
    };
    for (const Scenario& sc : scenarios)
        ExpectVerdict(sc);
}

TEST(EightBallGroups, TheOpponentGetsTheOtherGroup)
{
    CRules rules(OpenTable());
    rules.Judge(Shot::Hit(10).Pot(10).e);
    EXPECT_EQ(rules.GroupOf(0), Stripes);
    EXPECT_EQ(rules.GroupOf(1), Solids);
    EXPECT_EQ(rules.BallsNeeded(1), (::Solids & rules.BallsOnTable()) | BallBit(8));
}

TEST(EightBallFouls, StandardFoulsGiveBallInHand)
{
    const Scenario scenarios[] = {
        {"the opponent's ball hit first", MidRack(), Shot::Hit(9).Pot(1), {true, Foul::WrongBallFirst}},
        {"the 8 hit first before the group is cleared", MidRack(), Shot::Hit(8),
         {true, Foul::WrongBallFirst}},
        {"no ball hit", MidRack(), Shot::Miss(), {true, Foul::NoBallHit}},
        {"no cushion after contact and nothing potted", MidRack(), Shot::HitNoCushion(1),
         {true, Foul::NoCushion}},
        {"an object ball reaching the cushion is enough", MidRack(),
         Shot::HitNoCushion(1).Cushion(9), {true, Foul::None}},
        {"a pot needs no cushion", MidRack(), Shot::HitNoCushion(1).Pot(2), {false, Foul::None}},
        {"the cue ball potted with an own ball", MidRack(), Shot::Hit(1).Pot(1).Scratch(),
         {true, Foul::CuePotted}},
        {"only the opponent's ball potted: the turn passes", MidRack(), Shot::Hit(2).Pot(10),
         {true, Foul::None}},
    };
    for (const Scenario& sc : scenarios)
        ExpectVerdict(sc);
}

TEST(EightBallFouls, BallsPottedOnAFoulStayDown)
{
    CRules rules(MidRack());
    rules.Judge(Shot::Hit(9).Pot(1).Pot(9).e);
    EXPECT_EQ(rules.BallsOnTable(), Set({2, 8, 10}));
    EXPECT_EQ(rules.BallsNeeded(0), Set({2, 8}));
}

TEST(EightBallEnd, TheEightWinsOnlyAfterTheGroupAndWithoutAFoul)
{
    const Scenario scenarios[] = {
        {"the 8 potted legally after the group: the shooter wins", OnTheEight(),
         Shot::Hit(8).Pot(8, 2), {false, Foul::None, Open, 0}},
        {"the 8 potted with the cue ball: the shooter loses", OnTheEight(),
         Shot::Hit(8).Pot(8).Scratch(), {true, Foul::CuePotted, Open, 1}},
        {"the 8 potted off the opponent's ball hit first: loses", OnTheEight(),
         Shot::Hit(9).Pot(8), {true, Foul::WrongBallFirst, Open, 1}},
        {"a scratch on the 8 without potting it is only a foul", OnTheEight(),
         Shot::Hit(8).Scratch(), {true, Foul::CuePotted}},
        {"the 8 potted while own balls remain: loses", MidRack(), Shot::Hit(1).Pot(8),
         {true, Foul::None, Open, 1}},
        {"the 8 potted with the last of the group: loses", Position(G, Set({1, 8, 9}), Solids),
         Shot::Hit(1).Pot(1).Pot(8), {true, Foul::None, Open, 1}},
        {"the 8 potted on an open table: loses", OpenTable(), Shot::Hit(3).Pot(3).Pot(8),
         {true, Foul::None, Open, 1}},
    };
    for (const Scenario& sc : scenarios)
        ExpectVerdict(sc);
}

} // namespace
