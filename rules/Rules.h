// CRules: the referee of one rack of 8-ball or 9-ball, fed one shot at a time.
#pragma once

#include "physics/ShotEvents.h"
#include "rules/RackState.h"
#include "rules/ShotResult.h"

// Sides are 0 and 1. A CRules is a small value with no pointers to owned
// memory: copying it is a copy of a few dozen bytes, and a copy judges shots
// without touching the original (the computer opponent judges its candidate
// shots on copies from its worker thread). Judge changes nothing but the
// object itself and reads nothing but its arguments, so the same shots in the
// same order always give the same verdicts.
//
// The game drives it as: NewRack(breaker); then for each shot, once every ball
// rests, Judge(events) and act on the result (re-spot, re-rack, ball in hand,
// next side) until RackOver(); then NewRack again.
class CRules {
public:
    explicit CRules(GameKind game = GameKind::EightBall);
    // Resumes a rack from a state taken with State() (a saved game, a test
    // position). A side outside 0 and 1 becomes 0, and balls outside the
    // game's rack are taken off, so that no later call indexes out of range.
    explicit CRules(const RackState& saved);

    // Every ball of the game on the table, groups open, `breaker` to break.
    void NewRack(int breaker);

    // Judges the shot just played by Turn() and moves on to the next one. The
    // result's re-spotted balls are on the table again when it returns, and a
    // re-rack has already restarted the rack. Once the rack is over, further
    // shots change nothing: the result repeats the winner.
    ShotResult Judge(const ShotEvents& events);

    GameKind Game() const { return state.game; }
    int Turn() const { return state.turn; }
    // The next shot is the opening break: the game places the cue ball for a
    // break as usual; BallInHand() stays false for it.
    bool BreakPending() const { return state.breakPending; }
    // The side to play places the cue ball anywhere on the table (it was fouled).
    bool BallInHand() const { return state.ballInHand; }
    bool RackOver() const { return state.over; }
    int Winner() const { return state.winner; } // -1 while the rack is on
    // Group::Open in 9-ball, for a side outside 0 and 1, and until decided.
    Group GroupOf(int side) const;
    BallSet BallsOnTable() const { return state.onTable; }
    // Legal first contacts for the side to play now; empty once the rack is over.
    BallSet TargetBalls() const;
    // The balls `side` must still pot to win, the 8 or the 9 included.
    BallSet BallsNeeded(int side) const;
    // 9-ball: `side`'s fouls since its last legal shot (two means a third loses).
    int FoulsInARow(int side) const;
    const RackState& State() const { return state; }

private:
    RackState state;
};
