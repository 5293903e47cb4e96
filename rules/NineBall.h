// NineBall: the referee for 9-ball, after the WPA "Rules of Play", section 2, without the push out.
#pragma once

#include "physics/ShotEvents.h"
#include "rules/RackState.h"

// The lowest-numbered ball on the table: the only legal first contact.
BallSet NineBallTargets(const RackState& s);

// Both sides need the same balls: every one still on the table, the 9 last.
BallSet NineBallNeeded(const RackState& s, int side);

// Judges one shot by s.turn and moves `s` on to the next. `s.game` must be
// GameKind::NineBall and the rack not over.
ShotResult JudgeNineBall(RackState& s, const ShotEvents& events);
