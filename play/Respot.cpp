// Respot: the foot spot first, then along the long string, the way a referee spots a ball.
#include "play/Respot.h"

#include "physics/TableGeometry.h"
#include "play/BallInHand.h"

namespace {

// The first free centre on the long string from the foot spot in direction
// `dir` (−1 toward the foot rail), in steps of a millimetre; false if none.
bool FreeOnString(const Ball* balls, const PlayTable& table, int k, float dir, float& x)
{
    const float step = 0.001f;
    for (int i = 0;; ++i) {
        x = FootSpotX + dir * step * i;
        const Placement p = CheckPlacement(balls, table, k, x, 0.0f, false);
        if (p == Placement::Allowed)
            return true;
        if (p == Placement::OffCloth)
            return false;
    }
}

} // namespace

bool RespotBall(Ball* balls, PlayTable& table, int number)
{
    const int k = table.EntryOf(number);
    if (k < 0 || !table.potted[k])
        return false;
    float x = FootSpotX;
    if (!FreeOnString(balls, table, k, -1.0f, x) && !FreeOnString(balls, table, k, 1.0f, x))
        return false; // a string packed end to end: not with sixteen balls
    Ball& b = balls[k];
    b.position = vec3(x, 0.0f, BallRadius);
    b.velocity = vec3();
    b.angularVelocity = vec3();
    b.rotation = vec3();
    table.potted[k] = false;
    table.pocket[k] = -1;
    return true;
}
