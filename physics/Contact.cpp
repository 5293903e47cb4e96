// BallWithSurface: impulses of a ball against a plane, with friction and rolling/spinning resistance.
#include "physics/Contact.h"

#include <cmath>

#include "physics/ContactMaterial.h"

// The factor that removes `loss` of angular momentum from a spin component of
// size `size`, stopping at zero rather than reversing it.
static float ResistanceFactor(float loss, float size, float inertia)
{
    const float f = 1.0f - loss / (size * inertia);
    return f > 0.0f ? f : 0.0f;
}

int BallWithSurface(Ball& b, vec3 p, int kind)
{
    return BallWithSurface(b, p, mt[kind]);
}

int BallWithSurface(Ball& b, vec3 p, const ContactMaterial& m)
{
    const float R = b.radius;
    const vec3 d = p - b.position;
    const float dist = Length(d);
    // A centre on the plane itself has no normal; the passes never leave a ball
    // there, since every contact puts it back at distance R.
    if (!(dist < R) || dist == 0.0f)
        return 0;
    const vec3 n = d * (1.0f / dist); // into the surface
    const float invMass = 1.0f / b.mass;
    const float invInertia = 1.0f / b.inertia;

    b.position = p - R * n; // touch, without turning the depth into speed

    const float vn = Dot(b.velocity, n);
    const vec3 vN = vn * n;
    const vec3 vT = b.velocity - vN;
    const vec3 r = R * n; // centre to contact point
    const vec3 u = vT + Cross(b.angularVelocity, r); // sliding of the contact point

    // No test of the direction of motion: the normal speed always becomes −e of itself.
    const float jn = -(1.0f + m.restitution) * b.mass * vn;
    const vec3 JN = jn * n;
    const float N = std::fabs(jn);

    // The impulse that would stop the sliding, unless Coulomb's law caps it.
    const float K = R * R * invInertia + invMass;
    const vec3 Jt = FrictionImpulse(u, K, m.friction * N);

    b.velocity += (JN + Jt) * invMass;
    const vec3 w = b.angularVelocity + Cross(r, Jt) * invInertia;

    // Resistances take both sizes from the spin before either is applied.
    const float along = Dot(w, n);
    vec3 wN = along * n;
    vec3 wT = w - wN;
    const float s = std::fabs(along);
    const float t = Length(wT);
    if (s > 0.0f)
        wN *= ResistanceFactor(N * m.spinResistance, s, b.inertia);
    if (t > 0.0f)
        wT *= ResistanceFactor(N * m.rollingResistance, t, b.inertia);
    b.angularVelocity = wT + wN;
    return 1;
}
