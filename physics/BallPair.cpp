// BallWithBall: restitution and friction impulses between two overlapping balls.
#include "physics/BallPair.h"

#include <cmath>

#include "physics/ContactMaterial.h"

bool BallWithBall(Ball& bi, Ball& bj)
{
    return BallWithBall(bi, bj, mt[MaterialBallBall]);
}

bool BallWithBall(Ball& bi, Ball& bj, const ContactMaterial& m)
{
    const vec3 d = bj.position - bi.position;
    const float reach = bi.radius + bj.radius;
    // Most pairs are far apart: turn them away before the square root. The
    // margin leaves the exact decision at touching distance to the test below.
    const float d2 = Dot(d, d);
    if (d2 > 1.001f * reach * reach)
        return false;
    const float dist = std::sqrt(d2);
    if (!(dist < reach))
        return false;
    // Normalising a zero distance would give NaN and spread it to every ball
    // this one touches later; any fixed horizontal axis parts them soundly.
    const vec3 n = dist > 0.0f ? d / dist : vec3(1.0f, 0.0f, 0.0f); // i toward j

    bi.position = bj.position - reach * n;

    const vec3 vNi = Dot(bi.velocity, n) * n;
    const vec3 vTi = bi.velocity - vNi;
    const vec3 vNj = Dot(bj.velocity, n) * n;
    const vec3 vTj = bj.velocity - vNj;
    const vec3 ai = bi.radius * n;  // centre of i to the contact point
    const vec3 aj = -bj.radius * n; // centre of j to the contact point
    const vec3 u = (vTi + Cross(bi.angularVelocity, ai)) - (vTj + Cross(bj.angularVelocity, aj));

    // Impulse on i; no test of approach, as with the surfaces.
    const float M = 1.0f / bi.mass + 1.0f / bj.mass;
    const vec3 JN = (1.0f + m.restitution) / M * (vNj - vNi);
    const float K = bi.radius * bi.radius / bi.inertia + M + bj.radius * bj.radius / bj.inertia;
    const vec3 Jt = FrictionImpulse(u, K, m.friction * Length(JN));

    const vec3 J = JN + Jt;
    bi.velocity += J / bi.mass;
    bj.velocity -= J / bj.mass;
    bi.angularVelocity += Cross(ai, Jt) / bi.inertia;
    bj.angularVelocity -= Cross(aj, Jt) / bj.inertia;
    return true;
}
