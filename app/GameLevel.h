// The game's one level: where LoadLevel puts the rack and the pocket markers.
#pragma once

#include "physics/Vec3.h"

// The rack: RackRows rows of RackRows − row balls, the first row furthest from
// the table's centre. LoadLevel numbers the balls 1 to 15 row by row.
constexpr int RackRows = 5;

// Scene units: the centre of ball j (0 to RackRows − row − 1) of row `row`.
vec3 RackPosition(int row, int j);

// Pocket markers, scene units: corners and middles of the long cushions.
constexpr int PocketCount = 6;
extern const vec3 PocketPositions[PocketCount];
