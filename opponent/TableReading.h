// TableReading: the geometry a player reads off a still table: ghost-ball aims, clear lines, how easy a position is.
#pragma once

#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "rules/BallSet.h"

// Everything here is plane geometry on the balls' centres (metres, the
// physics' frame), cheap enough to run for every candidate; what a shot really
// does is the physics' answer, never these.

// Heading in degrees, as ShotVelocity takes it, of the line from (ax, ay) to (bx, by).
float HeadingDegrees(float ax, float ay, float bx, float by);

// The pot of one object ball into one pocket with the cue ball where it lies.
struct PotLine {
    float aim = 0.0f;      // heading of the cue ball to the ghost ball, degrees
    float cutCos = 0.0f;   // cosine of the cut angle: 1 full ball, 0 a ninety-degree cut
    float cueTravel = 0.0f;    // cue ball centre to the ghost ball, m
    float objectTravel = 0.0f; // object ball centre to the pocket's centre, m
    bool clear = false;    // no other ball on the cue ball's or the object ball's path
};

// The ghost-ball line that sends ball `entry` toward pocket `pocket` from a cue
// ball at `cue` (an entry of `balls`); false when the cut is over about 80
// degrees or the pocket cannot be entered from where the ball lies (a middle
// pocket approached too flat along its rail).
bool FindPotLine(const Ball* balls, const PlayTable& table, int cue, int entry, int pocket, PotLine& line);

// Whether a ball rolling from (ax, ay) to (bx, by) would meet a ball on the
// cloth other than entries `skipA` and `skipB`.
bool PathBlocked(const Ball* balls, const PlayTable& table, float ax, float ay, float bx, float by, int skipA,
                 int skipB);

// How easy the best pot of a ball in `targets` is for a cue ball at entry `cue`:
// 0 none, toward 1 a short, straight, clear pot.
float PotEase(const Ball* balls, const PlayTable& table, int cue, BallSet targets);
// How easy the best pot of `entry` into `pocket` is, 0 when none (the same measure).
float LineEase(const PotLine& line);
