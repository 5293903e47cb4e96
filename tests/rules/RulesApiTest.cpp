// CRules as the game and the computer opponent drive it: targets, needed balls, copies, and faulty shot records.
#include "tests/rules/RulesTest.h"

namespace {

TEST(RulesTargets, LegalFirstContactsFollowTheStateOfTheRack)
{
    EXPECT_EQ(CRules(GameKind::EightBall).TargetBalls(), BallsUpTo(15));
    const BallSet open = Set({3, 8, 12});
    EXPECT_EQ(CRules(Position(GameKind::EightBall, open)).TargetBalls(), Set({3, 12}));
    EXPECT_EQ(CRules(Position(GameKind::EightBall, open, Group::Stripes)).TargetBalls(), Set({12}));
    EXPECT_EQ(CRules(Position(GameKind::EightBall, Set({8, 12}), Group::Solids)).TargetBalls(),
              Set({8}));
    EXPECT_EQ(CRules(GameKind::NineBall).TargetBalls(), Set({1}));
    EXPECT_EQ(CRules(Position(GameKind::NineBall, Set({4, 7, 9}))).TargetBalls(), Set({4}));
}

TEST(RulesTargets, TargetsOfTheNextSideAfterTheTurnPasses)
{
    CRules rules(Position(GameKind::EightBall, Set({1, 8, 9}), Group::Solids));
    rules.Judge(Shot::Hit(1).e);
    EXPECT_EQ(rules.Turn(), 1);
    EXPECT_EQ(rules.TargetBalls(), Set({9}));
}

TEST(RulesCopies, JudgingACopyLeavesTheOriginalAsItWas)
{
    CRules live(GameKind::EightBall);
    live.Judge(Shot::Hit(1).Pot(2).e); // break, side 0 plays on
    const RackState before = live.State();
    CRules trial = live;
    trial.Judge(Shot::Hit(3).Pot(3).Pot(8).e); // loses the copy's rack
    ASSERT_TRUE(trial.RackOver());
    EXPECT_FALSE(live.RackOver());
    EXPECT_EQ(live.BallsOnTable(), before.onTable);
    EXPECT_EQ(live.Turn(), before.turn);
}

TEST(RulesRackOver, ShotsAfterTheEndChangeNothingUntilANewRack)
{
    CRules rules(Position(GameKind::NineBall, Set({9})));
    ASSERT_TRUE(rules.Judge(Shot::Hit(9).Pot(9).e).rackOver);
    const ShotResult late = rules.Judge(Shot::Hit(1).Scratch().e);
    EXPECT_TRUE(late.rackOver);
    EXPECT_EQ(late.winner, 0);
    EXPECT_FALSE(late.IsFoul());
    EXPECT_EQ(rules.TargetBalls(), 0);
    rules.NewRack(1);
    EXPECT_FALSE(rules.RackOver());
    EXPECT_TRUE(rules.BreakPending());
    EXPECT_EQ(rules.Turn(), 1);
    EXPECT_EQ(rules.BallsOnTable(), BallsUpTo(9));
}

TEST(RulesFaultyRecords, BallsNotOnTheTableAreIgnored)
{
    CRules rules(Position(GameKind::NineBall, Set({3, 9})));
    ShotEvents e = Shot::Hit(3).e;
    e.potted = {{12, 0}, {-4, 1}, {99, 2}, {5, 3}}; // not in a 9-ball rack, or already potted
    e.cushionsAfterContact.push_back(77);
    const ShotResult r = rules.Judge(e);
    EXPECT_FALSE(r.IsFoul());
    EXPECT_TRUE(r.turnPasses); // nothing of this rack dropped
    EXPECT_EQ(rules.BallsOnTable(), Set({3, 9}));

    ShotEvents bogus;
    bogus.firstContact = 40;
    bogus.cushionsAfterContact = {0};
    EXPECT_EQ(rules.Judge(bogus).foul, Foul::NoBallHit);
}

TEST(RulesFaultyRecords, SavedStateOutOfRangeIsBroughtBackIntoTheRack)
{
    RackState saved = Position(GameKind::NineBall, BallsUpTo(15));
    saved.turn = 7;
    CRules rules(saved);
    EXPECT_EQ(rules.Turn(), 0);
    EXPECT_EQ(rules.BallsOnTable(), BallsUpTo(9));
    EXPECT_TRUE(rules.Judge(Shot::Miss().e).turnPasses);
    EXPECT_EQ(rules.Turn(), 1);
}

} // namespace
