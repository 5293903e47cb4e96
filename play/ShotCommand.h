// ShotCommand: everything a shooter decides about one shot, and the one strike that plays it.
#pragma once

#include "physics/Ball.h"
#include "physics/CueStrike.h"

// Every shooter (the mouse, the computer, a replay, the simulator, a player on
// another machine) hands the table game one of these; nothing else strikes.
struct ShotCommand {
    float heading = 180.0f; // degrees in the bed's plane, from +x toward +y: the cue's angle
    float speed = 1.0f;     // m/s of the cue ball's centre as it leaves the tip
    StrikePoint strike;     // where the tip meets the ball, ball radii
    // In hand: the cue ball goes down at `cue` (metres, on the bed) before the
    // strike; the placement is checked as a click on the cloth would be.
    bool place = false;
    vec3 cue;
};

// Finite heading, speed within SoftestShotSpeed..MaxShotSpeed, a finite strike
// point and place: what may be played. A command from a file or the network
// that is not is refused whole rather than guessed at.
bool ShotCommandValid(const ShotCommand& c);

// The cue ball's velocity for `c`, m/s: `speed` along `heading`.
vec3 ShotCommandVelocity(const ShotCommand& c);

// The strike on the cue ball `b`: velocity along the heading and the spin the
// strike point gives (StrikeSpin). Position and rotation stay.
void ApplyShot(Ball& b, const ShotCommand& c);
