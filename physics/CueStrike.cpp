// CueStrike: linear and angular momentum of a solid sphere struck off centre by a level cue.
#include "physics/CueStrike.h"

#include <cmath>

StrikePoint ClampStrikePoint(StrikePoint p)
{
    if (!std::isfinite(p.side))
        p.side = 0.0f;
    if (!std::isfinite(p.top))
        p.top = 0.0f;
    const float r = std::hypot(p.side, p.top);
    if (r > MaxStrikeOffset) {
        p.side *= MaxStrikeOffset / r;
        p.top *= MaxStrikeOffset / r;
    }
    return p;
}

StrikePoint NudgeStrikePoint(StrikePoint p, int side, int top)
{
    p.side += StrikePointStep * static_cast<float>(side);
    p.top += StrikePointStep * static_cast<float>(top);
    return ClampStrikePoint(p);
}

vec3 StrikeSpin(vec3 velocity, StrikePoint p)
{
    const vec3 v(velocity.x, velocity.y, 0.0f);
    const float speed = Length(v);
    if (!(speed > 0.0f) || !std::isfinite(speed))
        return vec3();
    p = ClampStrikePoint(p);
    const vec3 ahead = v / speed;
    const vec3 up(0.0f, 0.0f, 1.0f);
    const vec3 right = Cross(ahead, up);
    // The tip touches the back of the ball: the point on the sphere whose
    // projection on the face is (side, top).
    const float back = std::sqrt(1.0f - p.side * p.side - p.top * p.top);
    const vec3 r = BallRadius * (p.side * right + p.top * up - back * ahead);
    const vec3 J = BallMass * v;
    const float inertia = IMR * BallMass * BallRadius * BallRadius;
    // The `back` part of r is parallel to J and gives no torque.
    return Cross(r, J) / inertia;
}
