// BallWithSurface: one ball against one plane of the table (the bed or a cushion) for one pass.
#pragma once

#include "physics/Ball.h"
#include "physics/ContactMaterial.h"

// `p` is the foot of the perpendicular from the ball's centre to the plane, in
// metres; the contact normal is taken from it alone. `kind` is the row of `mt`
// (MaterialBed or MaterialCushion). The ball's radius, mass and inertia must be
// positive (every pass sets them before it calls this).
//
// Answers 1 when the ball penetrated the plane: it is then put back to touch it,
// given a restitution impulse, a Coulomb-limited friction impulse and the spin
// that friction makes, and its spin is damped by the material's resistances.
// Answers 0, with the ball unchanged, when it does not penetrate (touching
// exactly is no contact) or when its centre lies on `p`, where no normal exists.
int BallWithSurface(Ball& b, vec3 p, int kind);
// The same with a material of another table than mt (the play modes').
int BallWithSurface(Ball& b, vec3 p, const ContactMaterial& material);
