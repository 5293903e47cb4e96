// Respot: a potted ball put back on the cloth on the foot spot, or as near it behind as it fits.
#pragma once

#include "physics/Ball.h"
#include "physics/PlayTable.h"

// Puts ball `number` back on the cloth, still and unspun: on the foot spot,
// or if a ball lies in the way at the nearest free place on the long string
// behind it (toward the foot rail), else in front of it. Answers false, with
// nothing changed, when the ball is not potted or not on this table.
bool RespotBall(Ball* balls, PlayTable& table, int number);
