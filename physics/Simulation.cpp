// Start and Imitate: the fixed-pass simulation of the balls on the table.
#include "physics/Simulation.h"

#include <cmath>
#include <vector>

#include "physics/Ball.h"
#include "physics/BallPair.h"
#include "physics/Contact.h"
#include "physics/ContactMaterial.h"
#include "physics/PlayTable.h"
#include "physics/Units.h"
#include "physics/World.h"

PassHook FreeTablePassHook;

void Start(double dt, int n)
{
    if (n < 1)
        return;
    const double h = dt / n;
    for (int i = 0; i < n; ++i)
        Imitate(h);
}

void Start(Ball* balls, PlayTable& table, double dt, int n)
{
    if (n < 1)
        return;
    const double h = dt / n;
    for (int i = 0; i < n; ++i)
        Imitate(balls, table, h);
}

// Cushions and bed of one ball; a cushion is called only when the ball reaches
// past its plane, the bed always (it finds for itself whether they touch).
// Answers whether a cushion was touched.
static bool SurfaceContacts(Ball& b, const PlayTable& table)
{
    const ContactMaterial* m = table.materials;
    bool cushion = false;
    if (table.pockets) {
        cushion = CushionContacts(b, m[MaterialCushion]);
    } else {
        const float r = b.radius;
        if (std::fabs(b.position.x) + r > CushionX) {
            const float px = b.position.x > 0.0f ? CushionX : -CushionX;
            cushion |= BallWithSurface(b, vec3(px, b.position.y, b.position.z), m[MaterialCushion]) != 0;
        }
        if (std::fabs(b.position.y) + r > CushionY) {
            const float py = b.position.y > 0.0f ? CushionY : -CushionY;
            cushion |= BallWithSurface(b, vec3(b.position.x, py, b.position.z), m[MaterialCushion]) != 0;
        }
    }
    BallWithSurface(b, vec3(b.position.x, b.position.y, 0.0f), m[MaterialBed]);
    return cushion;
}

static void AddOnce(std::vector<int>& list, int number)
{
    for (int n : list)
        if (n == number)
            return;
    list.push_back(number);
}

static void RecordPair(ShotEvents& events, int a, int b)
{
    if (events.firstContact < 0 && (a == 0 || b == 0))
        events.firstContact = a == 0 ? b : a;
}

static void RecordCushion(ShotEvents& events, int number)
{
    AddOnce(events.cushionsAtAll, number);
    if (events.firstContact >= 0)
        AddOnce(events.cushionsAfterContact, number);
}

// How fast two centres close along the line between them, m/s; 0 when they part.
static float ClosingSpeed(const Ball& a, const Ball& b)
{
    const vec3 d = a.position - b.position;
    const float len = Length(d);
    if (!(len > 0.0f))
        return 0.0f;
    const float closing = -Dot(a.velocity - b.velocity, d) / len;
    return closing > 0.0f ? closing : 0.0f;
}

// A centre over a hole drops the ball out of the passes, still and unspun.
static void Capture(Ball* balls, PlayTable& table)
{
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (table.potted[k])
            continue;
        Ball& b = balls[k];
        const int pocket = PocketUnder(b.position.x, b.position.y);
        if (pocket < 0)
            continue;
        table.potted[k] = true;
        table.pocket[k] = pocket;
        if (table.sink)
            table.sink->Dropped(k, std::hypot(b.velocity.x, b.velocity.y));
        b.velocity = vec3();
        b.angularVelocity = vec3();
        if (table.events)
            table.events->potted.push_back(ShotEvents::Pot{table.number[k], pocket});
    }
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

// Rotation keeps its axis and wraps its angle into [0, 2π). Below 2π the
// wrap is a factor of exactly 1 (fmod returns L itself, and L / L is 1), so
// only a longer vector is scaled.
static void Integrate(Ball& b, float hf)
{
    b.rotation += hf * b.angularVelocity;
    const float L = Length(b.rotation);
    if (L >= TwoPi)
        b.rotation *= std::fmod(L, TwoPi) / L;
    b.position += hf * b.velocity;
}

void Imitate(double h)
{
    static PlayTable freeTable = FreeTable();
    Imitate(ball, freeTable, h);
    if (FreeTablePassHook.call)
        FreeTablePassHook.call(FreeTablePassHook.context);
}

void Imitate(Ball* balls, PlayTable& table, double h)
{
    if (h > MinTactTime)
        h = MinTactTime;
    const float hf = static_cast<float>(h);

    const float inertia = IMR * BallMass * BallRadius * BallRadius;
    for (int k = FirstBall; k <= LastBall; ++k) {
        balls[k].radius = BallRadius;
        balls[k].mass = BallMass;
        balls[k].inertia = inertia;
    }

    // Pairs further apart than this along x or y are passed over before the
    // call: BallWithBall turns away any pair whose squared distance exceeds
    // 1.001·(2r)², and one coordinate alone gives more than 1.02·(2r)² here,
    // so the outcome (no contact, nothing changed) is the same, only cheaper.
    const float apart = 1.01f * 2.0f * BallRadius;
    const ContactMaterial& pair = table.materials[MaterialBallBall];
    ShotEvents* events = table.events;
    ContactSink* sink = table.sink;
    for (int i = FirstBall; i <= LastBall; ++i) {
        if (table.potted[i])
            continue;
        Ball& b = balls[i];
        for (int j = FirstBall; j < i; ++j) {
            if (table.potted[j])
                continue;
            const float dx = balls[j].position.x - b.position.x, dy = balls[j].position.y - b.position.y;
            if (dx > apart || dx < -apart || dy > apart || dy < -apart)
                continue;
            // Measured before the impulse changes the velocities; only read.
            const float closing = sink ? ClosingSpeed(b, balls[j]) : 0.0f;
            if (!BallWithBall(b, balls[j], pair))
                continue;
            if (events)
                RecordPair(*events, table.number[i], table.number[j]);
            if (sink)
                sink->BallsMet(i, j, closing);
        }
        const float vx = b.velocity.x, vy = b.velocity.y;
        if (SurfaceContacts(b, table)) {
            if (events)
                RecordCushion(*events, table.number[i]);
            if (sink)
                sink->CushionMet(i, std::hypot(b.velocity.x - vx, b.velocity.y - vy) /
                                        (1.0f + table.materials[MaterialCushion].restitution));
        }
        b.velocity.z -= hf * Gravity;
        Drag(b, hf);
    }

    for (int k = FirstBall; k <= LastBall; ++k)
        if (!table.potted[k])
            Integrate(balls[k], hf);

    if (table.pockets)
        Capture(balls, table);
    if (sink)
        sink->PassEnd();
}
