// Ball: the physics record of one ball, the global table of them and the ball's constants.
#pragma once

#include "physics/Vec3.h"

// SI units throughout: metres, kilograms, seconds, radians. The frame is the
// table's: x along its length, y across, z up, origin at the centre of the bed.
struct Ball {
    float radius;         // m; rewritten from BallRadius by every pass
    float mass;           // kg; rewritten from BallMass by every pass
    float inertia;        // kg·m², about any axis through the centre
    vec3 position;        // m, the centre
    vec3 velocity;        // m/s, of the centre
    vec3 spare1;          // unused, stays zero
    vec3 rotation;        // rad, rotation vector: axis and angle, angle kept in [0, 2π)
    vec3 angularVelocity; // rad/s, spin vector
    vec3 spare2;          // unused, stays zero
};

// Entries 1 to 16 are the balls on the table, entry k matching the k-th entry of
// the scene's object list; entry 0 and 17 to 127 are never touched.
constexpr int BallCount = 128;
constexpr int FirstBall = 1;
constexpr int LastBall = 16;
extern Ball ball[BallCount];

extern const float BallRadius; // m
extern const float BallMass;   // kg
extern const float IMR;        // inertia = IMR·mass·radius², 0.4 for a solid sphere
