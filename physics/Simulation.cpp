// Start and Imitate: the fixed-pass simulation of the balls on the table.
#include "physics/Simulation.h"

#include <cmath>

#include "physics/Ball.h"
#include "physics/BallPair.h"
#include "physics/Contact.h"
#include "physics/ContactMaterial.h"
#include "physics/SceneSync.h"
#include "physics/World.h"

CObjectList* SimulationScene = nullptr;

static const float SixPi = 18.849556f;
static const float TwoPi = 6.2831855f;

void Start(double dt, int n)
{
    if (n < 1)
        return;
    const double h = dt / n;
    for (int i = 0; i < n; ++i)
        Imitate(h);
}

// Cushions and bed of one ball; a cushion is called only when the ball reaches
// past its plane, the bed always (it finds for itself whether they touch).
static void SurfaceContacts(Ball& b)
{
    const float r = b.radius;
    if (std::fabs(b.position.x) + r > CushionX) {
        const float px = b.position.x > 0.0f ? CushionX : -CushionX;
        BallWithSurface(b, vec3(px, b.position.y, b.position.z), MaterialCushion);
    }
    if (std::fabs(b.position.y) + r > CushionY) {
        const float py = b.position.y > 0.0f ? CushionY : -CushionY;
        BallWithSurface(b, vec3(b.position.x, py, b.position.z), MaterialCushion);
    }
    BallWithSurface(b, vec3(b.position.x, b.position.y, 0.0f), MaterialBed);
}

// Stokes drag over one step: the speed falls by the factor 1 − 6πηr·h/m, and
// a step long enough to take all of it stops the ball outright.
static void Drag(Ball& b, float h)
{
    const float f = 1.0f - b.radius * SixPi * Viscosity * h / b.mass;
    if (f > 0.0f)
        b.velocity *= f;
    else
        b.velocity = vec3();
}

// Rotation keeps its axis and wraps its angle into [0, 2π).
static void Integrate(Ball& b, float hf)
{
    b.rotation += hf * b.angularVelocity;
    const float L = Length(b.rotation);
    if (L > 0.0f)
        b.rotation *= std::fmod(L, TwoPi) / L;
    b.position += hf * b.velocity;
}

void Imitate(double h)
{
    if (h > MinTactTime)
        h = MinTactTime;
    const float hf = static_cast<float>(h);

    const float inertia = IMR * BallMass * BallRadius * BallRadius;
    for (int k = FirstBall; k <= LastBall; ++k) {
        ball[k].radius = BallRadius;
        ball[k].mass = BallMass;
        ball[k].inertia = inertia;
    }

    for (int i = FirstBall; i <= LastBall; ++i) {
        Ball& b = ball[i];
        for (int j = FirstBall; j < i; ++j)
            BallWithBall(b, ball[j]);
        SurfaceContacts(b);
        b.velocity.z -= hf * Gravity;
        Drag(b, hf);
    }

    for (int k = FirstBall; k <= LastBall; ++k)
        Integrate(ball[k], hf);

    if (SimulationScene)
        SetBallsCoords(SimulationScene);
}
