// NineBallRack: the nine balls of 9-ball in a diamond, the 1 on the foot spot and the 9 in the middle.
#pragma once

#include "physics/Ball.h"
#include "physics/PlayTable.h"

// Puts balls 1 to 9 of `balls` (numbered by `table`) in a touching diamond of
// rows 1, 2, 3, 2, 1 with the 1 on the foot spot and the 9 in the middle, the
// rest shuffled by `seed`; the cue ball on the head string's centre. Balls 10
// to 15 are not in the game: they are taken off as potted (pocket −1), out of
// sight under the bed. Every ball still, unspun and unturned.
void RackNineBall(Ball* balls, PlayTable& table, unsigned seed);
