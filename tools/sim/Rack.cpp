// RackBalls and RackForShot: the cue ball and the fifteen-ball rack of the game's one level.
#include "tools/sim/Rack.h"

#include <cstdlib>

#include "app/GameLevel.h"
#include "physics/Ball.h"
#include "app/SceneSync.h"
#include "physics/Simulation.h"
#include "physics/World.h"
#include "scene/Ball.h"
#include "scene/ObjectList.h"

CBall* RackBalls(CObjectList& objects)
{
    objects.Clear();
    srand(1); // starting rotations only; they do not steer the balls
    CBall* cueBall = new CBall(&objects);
    objects.Add(cueBall);
    int number = 1;
    for (int row = 0; row < RackRows; ++row)
        for (int j = 0; j < RackRows - row; ++j)
            objects.Add(new CBall(&objects, RackPosition(row, j), number++));
    return cueBall;
}

CBall* RackForShot(CObjectList& objects)
{
    Gravity = static_cast<float>(DefaultGravity);
    Viscosity = static_cast<float>(DefaultViscosity);
    for (Ball& b : ball)
        b = Ball{};
    CBall* cueBall = RackBalls(objects);
    // As the level load does: the physics starts from these balls and hands
    // every pass back to them.
    GetBallsCoords(&objects);
    HandPassesTo(&objects);
    return cueBall;
}
