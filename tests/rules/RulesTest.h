// Test support for the rules: shots built from what the physics would report, rack positions, and verdict checks.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "rules/Rules.h"

// A shot as the physics reports it. Hit(b) is the usual shot: the cue ball
// touches b first and then reaches a cushion; Miss() touches nothing.
struct Shot {
    ShotEvents e;

    static Shot Hit(int first)
    {
        Shot s;
        s.e.firstContact = first;
        return s.Cushion(0);
    }
    static Shot HitNoCushion(int first)
    {
        Shot s;
        s.e.firstContact = first;
        return s;
    }
    static Shot Miss()
    {
        Shot s;
        s.e.cushionsAtAll.push_back(0);
        return s;
    }
    // A ball that reached a cushion after the first contact.
    Shot& Cushion(int ball)
    {
        e.cushionsAfterContact.push_back(ball);
        e.cushionsAtAll.push_back(ball);
        return *this;
    }
    Shot& Cushions(std::initializer_list<int> balls)
    {
        for (int b : balls)
            Cushion(b);
        return *this;
    }
    Shot& Pot(int ball, int pocket = 0)
    {
        e.potted.push_back({ball, pocket});
        return *this;
    }
    Shot& Scratch() { return Pot(0, 5); }
};

inline BallSet Set(std::initializer_list<int> balls)
{
    BallSet s = 0;
    for (int b : balls)
        s = BallSet(s | BallBit(b));
    return s;
}

// Side 0 to play after the break, `onTable` left, groups as given for side 0.
inline RackState Position(GameKind game, BallSet onTable, Group side0 = Group::Open)
{
    RackState s;
    s.game = game;
    s.onTable = onTable;
    s.breakPending = false;
    s.group[0] = side0;
    s.group[1] = side0 == Group::Solids   ? Group::Stripes
                 : side0 == Group::Stripes ? Group::Solids
                                           : Group::Open;
    return s;
}

inline RackState Break(GameKind game)
{
    CRules r(game);
    return r.State();
}

// What a scenario expects; winner -1 while the rack goes on.
struct Verdict {
    bool passes;
    Foul foul;
    Group groupAssigned = Group::Open;
    int winner = -1;
};

struct Scenario {
    const char* name;
    RackState before;
    Shot shot;
    Verdict expect;
};

// Judges the scenario's shot from its position and checks the verdict: the
// turn, the foul with ball in hand exactly on a foul that leaves the rack on,
// the group decided and the winner.
inline ShotResult ExpectVerdict(const Scenario& sc)
{
    SCOPED_TRACE(sc.name);
    CRules rules(sc.before);
    const ShotResult r = rules.Judge(sc.shot.e);
    const bool over = sc.expect.winner >= 0;
    EXPECT_EQ(r.rackOver, over);
    EXPECT_EQ(rules.RackOver(), over);
    EXPECT_EQ(r.winner, sc.expect.winner);
    EXPECT_EQ(r.foul, sc.expect.foul) << r.text;
    if (!over) {
        EXPECT_EQ(r.turnPasses, sc.expect.passes);
        EXPECT_EQ(rules.Turn(), sc.expect.passes ? 1 : 0);
        EXPECT_EQ(r.ballInHand, r.IsFoul());
        EXPECT_EQ(rules.BallInHand(), r.IsFoul());
    }
    EXPECT_EQ(r.groupAssigned, sc.expect.groupAssigned);
    if (r.IsFoul() && !over) {
        EXPECT_STREQ(r.text, FoulText(r.foul));
    }
    return r;
}
