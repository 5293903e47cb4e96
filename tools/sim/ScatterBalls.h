// ScatterBalls: sixteen balls at random clear places on the cloth, for the random-shot checks.
#pragma once

#include <random>

#include "physics/Ball.h"

// Puts entries 1 to 16 of `balls` at rest at random places on the bed, metres:
// inside the cushion planes, off every pocket's hole and more than a ball's
// diameter from the balls placed before. The draws from `rng` are the same for
// the same state, so a seed repeats its layouts.
void ScatterBalls(std::mt19937& rng, Ball* balls);
