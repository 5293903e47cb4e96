// PlayOrbit: how the play modes' orbit camera takes the mouse: the aim's turn, the zoom's limits,
// the eye above the cloth.
#pragma once

#include "camera/Camera.h"

// The player's preferences for the turn ([Controls] InvertAim) and the
// modifier held now (Shift: fine aim).
struct OrbitFeel {
    bool invert = false; // mouse right turns the aim left, as the free table does
    bool fine = false;   // a tenth of the turn per pixel
};

// The closest the eye comes to the cue ball it orbits, scene units: six ball
// radii (the scene's ball is 1 unit round), so the near plane (1 unit) never
// cuts the ball and the whole ball stays in the view.
constexpr float OrbitNearest = 6.0f;
// The lowest the eye goes, scene units above the cloth: over the rails (1.5),
// the cushions (1.2) and every ball (2 high), so the eye is never inside the
// table, a cushion or a ball.
constexpr float OrbitEyeAboveCloth = 2.5f;
// The view a player aims from: behind the cue ball, this far and pitched this
// far down (rad): the cue ball low in the view, the object ball and its
// pocket ahead, the near rail a sliver at the bottom.
constexpr float OrbitAimDistance = 38.0f;
constexpr float OrbitAimPitch = -0.42f;

// Heading change, rad, for `dx` pixels of mouse motion to the right: the aim
// follows the hand (right turns it right, clockwise seen from above) unless inverted.
float OrbitTurn(float dx, float rotateSpeed, const OrbitFeel& feel);

// One frame of mouse motion on the orbit in `c.state` (rotate or zoom), then
// the limits: no nearer than OrbitNearest, the eye no lower than
// OrbitEyeAboveCloth over a cloth at height `clothZ`. Derives the eye; loads
// nothing into GL.
void MoveOrbit(CCamera& c, float dx, float dy, const OrbitFeel& feel, float clothZ);
