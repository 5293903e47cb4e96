// RackBalls: the cue ball and the fifteen-ball rack of the game's one level.
#include "tools/sim/Rack.h"

#include <cstdlib>

#include "scene/Ball.h"
#include "scene/ObjectList.h"

CBall* RackBalls(CObjectList& objects)
{
    objects.Clear();
    srand(1); // starting rotations only; they do not steer the balls
    CBall* cueBall = new CBall(&objects);
    objects.Add(cueBall);
    int number = 1;
    for (int r = 0; r < 5; ++r) {
        for (int j = 0; j <= 4 - r; ++j) {
            const vec3 at(-25.0f + 1.5f * r, -6.0f + 1.5f * r + 3.0f * j, 1.0f);
            objects.Add(new CBall(&objects, at, number++));
        }
    }
    return cueBall;
}
