// BallInHand: where the cue ball may be put down after a scratch or for a break.
#pragma once

#include "physics/Ball.h"
#include "physics/PlayTable.h"

enum class Placement {
    Allowed,
    OffCloth,        // its centre not a ball's radius inside every cushion nose
    OnBall,          // it would overlap a ball on the cloth
    PastHeadString   // a break is played from behind the head string (x ≥ HeadStringX)
};

// Whether ball `entry` of `balls` may be put down with its centre at (x, y)
// metres. Potted balls and `entry` itself are not in the way. `kitchen`: only
// behind the head string.
Placement CheckPlacement(const Ball* balls, const PlayTable& table, int entry, float x, float y, bool kitchen);

// (x, y) moved into the area a placement may use (the cloth, and the kitchen
// when asked), so that the mouse cannot push the ball off the table; other
// balls are not considered.
void ClampToHandArea(float& x, float& y, bool kitchen);

// A short text for a refusal; "" when allowed.
const char* PlacementText(Placement p);
