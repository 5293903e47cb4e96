// GuideRay: a straight line folded at the cushions, in the cloth's plane.
#include "play/GuideRay.h"

#include <algorithm>
#include <cmath>

#include "physics/Ball.h"
#include "physics/TableGeometry.h"

namespace {

// Distance along unit `d` from `p` to the first side of the box it crosses,
// and which axis that side is across (0 x, 1 y).
float ToWall(const ClothBox& box, const vec3& p, const vec3& d, int& axis)
{
    float reach = 1e30f;
    axis = -1;
    if (d.x > 0.0f || d.x < 0.0f) {
        const float s = ((d.x > 0.0f ? box.halfX : -box.halfX) - p.x) / d.x;
        if (s < reach) {
            reach = s;
            axis = 0;
        }
    }
    if (d.y > 0.0f || d.y < 0.0f) {
        const float s = ((d.y > 0.0f ? box.halfY : -box.halfY) - p.y) / d.y;
        if (s < reach) {
            reach = s;
            axis = 1;
        }
    }
    return std::max(reach, 0.0f);
}

} // namespace

ClothBox PlayClothBox()
{
    ClothBox box;
    box.halfX = CushionX - BallRadius;
    box.halfY = CushionY - BallRadius;
    return box;
}

std::vector<vec3> GuideRay(const ClothBox& box, vec3 from, vec3 velocity, float length, int bounces)
{
    std::vector<vec3> points;
    velocity.z = 0.0f;
    const float speed = Length(velocity);
    if (!(speed > 1e-6f) || !std::isfinite(speed) || !(length > 0.0f))
        return points;
    vec3 d = velocity / speed;
    vec3 p(std::clamp(from.x, -box.halfX, box.halfX), std::clamp(from.y, -box.halfY, box.halfY),
           from.z);
    points.push_back(p);
    float left = length;
    for (int bounce = 0; left > 0.0f; ++bounce) {
        int axis = -1;
        const float wall = ToWall(box, p, d, axis);
        const float step = std::min(wall, left);
        p = p + d * step;
        // Rounding may leave the end a hair outside: the line ends on the cloth.
        p.x = std::clamp(p.x, -box.halfX, box.halfX);
        p.y = std::clamp(p.y, -box.halfY, box.halfY);
        points.push_back(p);
        left -= step;
        if (left <= 0.0f || bounce >= bounces)
            break;
        if (axis == 0)
            d.x = -d.x;
        else
            d.y = -d.y;
    }
    return points;
}
