// Test support for the physics: a clean ball table and the standard environment per test.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "physics/Ball.h"
#include "physics/Simulation.h"
#include "physics/World.h"

// Every test starts from a zeroed `ball` with balls 1 to 16 resting apart in a
// row along y = 0.7 m (so that none coincides with another at the origin),
// default gravity and viscosity and no pass hook; it gives the previous
// values back afterwards.
class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (Ball& b : ball)
            b = Ball{};
        for (int k = FirstBall; k <= LastBall; ++k)
            ball[k].position = vec3(-1.2f + 0.16f * (k - 1), 0.7f, 0.05f);
        savedHook = FreeTablePassHook;
        savedGravity = Gravity;
        savedViscosity = Viscosity;
        FreeTablePassHook = PassHook{};
        Gravity = 9.81f;
        Viscosity = 1.85e-05f;
    }
    void TearDown() override
    {
        FreeTablePassHook = savedHook;
        Gravity = savedGravity;
        Viscosity = savedViscosity;
    }

    PassHook savedHook;
    float savedGravity = 0.0f;
    float savedViscosity = 0.0f;
};

// A ball of the game's size (R 0.05 m, m 0.1 kg, I 0.0001 kg·m²).
inline Ball MakeBall(vec3 position, vec3 velocity = vec3(), vec3 spin = vec3())
{
    Ball b{};
    b.radius = 0.05f;
    b.mass = 0.1f;
    b.inertia = 0.0001f;
    b.position = position;
    b.velocity = velocity;
    b.angularVelocity = spin;
    return b;
}

inline bool IsFinite(const vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

inline bool BitEqual(const Ball& a, const Ball& b)
{
    return std::memcmp(&a, &b, sizeof(Ball)) == 0;
}

#define EXPECT_VEC_NEAR(v, ex, ey, ez, tol) \
    do {                                    \
        const vec3 v_ = (v);                \
        EXPECT_NEAR(v_.x, static_cast<float>(ex), (tol));     \
        EXPECT_NEAR(v_.y, static_cast<float>(ey), (tol));     \
        EXPECT_NEAR(v_.z, static_cast<float>(ez), (tol));     \
    } while (0)
