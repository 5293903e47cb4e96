// Test support for the rules: shots as the physics reports them, rack positions, and the verdict check.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "rules/Rules.h"

// Touch(b): the cue ball touches b first and nothing reaches a cushion after;
// Hit(b) adds the cue ball at a cushion; Miss() touches no ball at all.
struct Shot {
    ShotEvents e;

    static Shot Touch(int first)
    {
        Shot s;
        s.e.firstContact = first;
        return s;
    }
    static Shot Hit(int first) { return Touch(first).Cushions({0}); }
    static Shot Miss() { return Touch(-1); }
    Shot& Cushions(std::initializer_list<int> balls)
    {
        for (int b : balls) {
            e.cushionsAfterContact.push_back(b);
            e.cushionsAtAll.push_back(b);
        }
        return *this;
    }
    Shot& Pot(int ball)
    {
        e.potted.push_back({ball, 0});
        return *this;
    }
    Shot& Scratch() { return Pot(0); }
};

inline BallSet Set(std::initializer_list<int> balls)
{
    BallSet s = 0;
    for (int b : balls)
        s = BallSet(s | BallBit(b));
    return s;
}

// Side 0 to play after the break with `onTable` left and `side0`'s group.
inline RackState Position(GameKind game, BallSet onTable, Group side0 = Group::Open)
{
    RackState s;
    s.game = game;
    s.onTable = onTable;
    s.breakPending = false;
    s.group[0] = side0;
    s.group[1] = side0 == Group::Open ? side0 : side0 == Group::Solids ? Group::Stripes : Group::Solids;
    return s;
}

inline RackState Break(GameKind game) { return CRules(game).State(); }

// What a scenario expects; winner -1 while the rack goes on.
struct Verdict {
    bool passes;
    Foul foul;
    Group groupAssigned = Group::Open;
    int winner = -1;
    BallSet respot = 0;
};

struct Scenario {
    const char* name;
    RackState before;
    Shot shot;
    Verdict expect;
};

// Judges each scenario's shot from its position. Re-spotted balls must be back
// on the table; ball in hand must follow a foul exactly, and the HUD line must
// name it, whenever the rack goes on.
inline void ExpectVerdicts(std::initializer_list<Scenario> scenarios)
{
    for (const Scenario& sc : scenarios) {
        SCOPED_TRACE(sc.name);
        CRules rules(sc.before);
        const ShotResult r = rules.Judge(sc.shot.e);
        EXPECT_EQ(r.foul, sc.expect.foul) << r.text;
        EXPECT_EQ(r.groupAssigned, sc.expect.groupAssigned);
        EXPECT_EQ(r.respot, sc.expect.respot);
        EXPECT_EQ(rules.BallsOnTable() & r.respot, r.respot) << "re-spotted balls are on the table";
        EXPECT_EQ(r.winner, sc.expect.winner);
        EXPECT_EQ(rules.RackOver(), sc.expect.winner >= 0);
        if (sc.expect.winner < 0) {
            EXPECT_EQ(rules.Turn(), sc.expect.passes ? 1 : 0);
            EXPECT_EQ(rules.BallInHand(), r.IsFoul());
            if (r.IsFoul()) {
                EXPECT_STREQ(r.text, FoulText(r.foul));
            }
        }
    }
}
