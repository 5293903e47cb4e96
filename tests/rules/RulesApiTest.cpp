// CRules as the game and the computer opponent drive it: targets, copies, the end of a rack, faulty input.
#include "tests/rules/RulesTest.h"

namespace {

TEST(RulesApi, TargetsFollowTheStateOfTheRack)
{
    EXPECT_EQ(CRules(GameKind::EightBall).TargetBalls(), BallsUpTo(15));
    const BallSet left = Set({3, 8, 12});
    EXPECT_EQ(CRules(Position(GameKind::EightBall, left)).TargetBalls(), Set({3, 12}));
    EXPECT_EQ(CRules(Position(GameKind::EightBall, left, Group::Stripes)).TargetBalls(), Set({12}));
    EXPECT_EQ(CRules(Position(GameKind::EightBall, Set({8, 12}), Group::Solids)).TargetBalls(), Set({8}));
    EXPECT_EQ(CRules(Position(GameKind::NineBall, Set({4, 7, 9}))).TargetBalls(), Set({4}));
}

TEST(RulesApi, JudgingACopyLeavesTheOriginalAsItWas)
{
    CRules live(GameKind::EightBall);
    live.Judge(Shot::Hit(1).Pot(2).e);
    const RackState before = live.State();
    CRules trial = live;
    trial.Judge(Shot::Hit(3).Pot(3).Pot(8).e);
    ASSERT_TRUE(trial.RackOver());
    EXPECT_FALSE(live.RackOver());
    EXPECT_EQ(live.BallsOnTable(), before.onTable);
}

TEST(RulesApi, ShotsAfterTheEndChangeNothingUntilANewRack)
{
    CRules rules(Position(GameKind::NineBall, Set({9})));
    ASSERT_TRUE(rules.Judge(Shot::Hit(9).Pot(9).e).rackOver);
    const ShotResult late = rules.Judge(Shot::Hit(1).Scratch().e);
    EXPECT_EQ(late.winner, 0);
    EXPECT_FALSE(late.IsFoul());
    rules.NewRack(1);
    EXPECT_TRUE(rules.BreakPending());
    EXPECT_EQ(rules.Turn(), 1);
    EXPECT_EQ(rules.BallsOnTable(), BallsUpTo(9));
}

TEST(RulesApi, FaultyRecordsAndStatesStayInRange)
{
    CRules rules(Position(GameKind::NineBall, Set({3, 9})));
    ShotEvents e = Shot::Hit(3).e;
    e.potted = {{12, 0}, {-4, 1}, {99, 2}, {5, 3}}; // not in a 9-ball rack, or already down
    e.cushionsAfterContact.push_back(77);
    EXPECT_TRUE(rules.Judge(e).turnPasses); // a legal miss: nothing of this rack dropped
    EXPECT_EQ(rules.BallsOnTable(), Set({3, 9}));
    ShotEvents bogus = Shot::Hit(40).e;
    EXPECT_EQ(rules.Judge(bogus).foul, Foul::NoBallHit);

    RackState saved = Position(GameKind::EightBall, BallsUpTo(15));
    saved.game = GameKind::NineBall;
    saved.turn = 7;
    CRules resumed(saved);
    EXPECT_EQ(resumed.Turn(), 0);
    EXPECT_EQ(resumed.BallsOnTable(), BallsUpTo(9));
}

} // namespace
