// CueStrike: the cue ball's velocity and spin from a cue impulse through a point on its face.
#pragma once

#include "physics/Ball.h"

// Where the tip meets the ball, seen from behind the cue, in ball radii from the
// centre of the face: `side` to the right (positive) or left, `top` above
// (positive: follow) or below (negative: draw).
struct StrikePoint {
    float side = 0.0f;
    float top = 0.0f;
};

// Farthest a tip can land from the centre of the face without miscueing, ball radii.
constexpr float MaxStrikeOffset = 0.5f;

// How far one press of a spin key moves the strike point, ball radii: five
// presses reach the limit from the centre.
constexpr float StrikePointStep = 0.1f;

// `p` moved by `side` and `top` steps of StrikePointStep, then clamped: what
// the spin keys do while aiming.
StrikePoint NudgeStrikePoint(StrikePoint p, int side, int top);

// `p` pulled back along its own direction onto the disc of radius
// MaxStrikeOffset; a component that is not finite counts as 0.
StrikePoint ClampStrikePoint(StrikePoint p);

// The spin, rad/s, that a solid sphere of the game's radius and mass takes
// from a cue impulse through strike point `p` (clamped first) that sends its
// centre off at `velocity` m/s. The cue is level: only the velocity's
// horizontal part counts, it gives the impulse J = m·v, and the spin is
// ω = r × J / I with r the centre-to-tip vector and I = IMR·m·R². A ball that
// does not move gets no spin.
vec3 StrikeSpin(vec3 velocity, StrikePoint p);
