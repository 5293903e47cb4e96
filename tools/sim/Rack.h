// RackBalls and RackForShot: the level's sixteen balls in the level's order, for the simulator and the benchmark.
#pragma once

class CBall;
class CObjectList;

// Empties `objects` and adds the cue ball at scene (10, 0, 1), then balls 1 to
// 15 at the game's RackPosition, row by row, so that the list reads balls 15
// down to 1 and the cue ball sixteenth, as the game's does. Answers the cue ball
// (owned by the list).
CBall* RackBalls(CObjectList& objects);

// The physics as the game's level load leaves it: Gravity and Viscosity at the
// game's defaults, every ball record reset, RackBalls into `objects`, its
// positions handed to the physics and every pass handed back to `objects`.
// Answers the cue ball (owned by the list).
CBall* RackForShot(CObjectList& objects);
