// RackBalls: the level's sixteen balls in the level's order, for the simulator and the benchmark.
#pragma once

class CBall;
class CObjectList;

// Empties `objects` and adds the cue ball at scene (10, 0, 1), then balls 1 to
// 15 in rows of 5, 4, 3, 2, 1 from x = −25, so that the list reads balls 15
// down to 1 and the cue ball sixteenth, as the game's does. Answers the cue ball
// (owned by the list).
CBall* RackBalls(CObjectList& objects);
