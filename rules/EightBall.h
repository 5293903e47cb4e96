// EightBall: the referee for 8-ball, after the WPA "Rules of Play", section 3, without called shots.
#pragma once

#include "physics/ShotEvents.h"
#include "rules/RackState.h"

// Object balls the side to play may legally hit first: any ball on the break,
// any but the 8 on an open table, its own group once groups are decided, and
// the 8 once that group is off the table.
BallSet EightBallTargets(const RackState& s);

// The balls `side` must still pot, the 8 included: its group and the 8, or on
// an open table every ball left.
BallSet EightBallNeeded(const RackState& s, int side);

// Judges one shot by s.turn and moves `s` on to the next. `s.game` must be
// GameKind::EightBall and the rack not over.
ShotResult JudgeEightBall(RackState& s, const ShotEvents& events);
