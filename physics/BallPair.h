// BallWithBall: the impulse contact of two balls within one pass.
#pragma once

#include "physics/Ball.h"
#include "physics/ContactMaterial.h"

// `bi` is the higher-numbered ball of the pair. When the centres are closer
// than the sum of the radii (touching exactly is no contact), `bi` alone is
// moved out to touch `bj`, and both get a restitution impulse along the line of
// centres and a Coulomb-limited friction impulse with the spin it makes.
// Coinciding centres have no line between them: they are parted along +x,
// `bi` going to the −x side. Answers whether there was a contact.
bool BallWithBall(Ball& bi, Ball& bj);
// The same with the restitution and friction of `material` instead of mt's ball row.
bool BallWithBall(Ball& bi, Ball& bj, const ContactMaterial& material);
