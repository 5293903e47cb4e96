// The game's one level: where LoadLevel puts the rack and the pocket markers.
#pragma once

#include "physics/TableGeometry.h"
#include "physics/Vec3.h"

// The rack: RackRows rows of RackRows − row balls, the first row furthest from
// the table's centre. LoadLevel numbers the balls 1 to 15 row by row.
constexpr int RackRows = 5;

// Scene units: the centre of ball j (0 to RackRows − row − 1) of row `row`.
vec3 RackPosition(int row, int j);

// Pocket markers, scene units, one under each pocket of TableGeometry: entry k
// marks pocket 5 − k, so that the object list, which Add fills from the front,
// reads pockets 0 to 5.
extern const vec3 PocketPositions[PocketCount];
