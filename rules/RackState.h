// RackState: everything the referee remembers about the rack in play.
#pragma once

#include "rules/BallSet.h"
#include "rules/ShotResult.h"

enum class GameKind { EightBall, NineBall };

// Plain data so that CRules copies with no allocation: the computer opponent
// copies it for every candidate shot it judges.
struct RackState {
    GameKind game = GameKind::EightBall;
    BallSet onTable = 0;      // object balls still on the table
    int turn = 0;             // side to play, 0 or 1
    bool breakPending = true; // the next shot is the opening break
    bool ballInHand = false;  // the side to play places the cue ball anywhere
    Group group[2] = {Group::Open, Group::Open};
    int foulsInARow[2] = {0, 0}; // 9-ball: a side's fouls since its last legal shot
    bool over = false;
    int winner = -1;
};

// Every ball of s.game back on the table, groups open, fouls forgotten, and
// `breaker` (0 or 1; anything else counts as 0) to break.
void StartRack(RackState& s, int breaker);
