// GuideRay: an aiming guide's line along a ball's heading, stopped at the cushions and reflected as
// the ball would be.
#pragma once

#include <vector>

#include "physics/Vec3.h"

// The box a ball's centre keeps to on the cloth, metres: the cushion noses
// less a radius.
struct ClothBox {
    float halfX = 0.0f, halfY = 0.0f;
};
// The play table's box.
ClothBox PlayClothBox();

// The polyline a ball's centre follows from `from` along `velocity` (its
// height kept, the level part of the direction taken) for `length` metres:
// at each side of `box` it meets, the component across that side turns back
// (a mirror bounce), at most `bounces` times; the line ends at the last side
// it meets past that. The first point is `from` pulled into the box. Empty
// for a ball without a level velocity.
std::vector<vec3> GuideRay(const ClothBox& box, vec3 from, vec3 velocity, float length,
                           int bounces);
