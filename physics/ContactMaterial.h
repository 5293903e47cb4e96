// ContactMaterial: restitution, friction and resistances of one kind of contact, and their table.
#pragma once

#include "physics/Vec3.h"

struct ContactMaterial {
    float restitution;       // fraction of the normal approach speed given back
    float friction;          // Coulomb coefficient: tangential impulse ≤ friction·normal impulse
    float rollingResistance; // m, lever arm against spin in the contact plane
    float spinResistance;    // m, lever arm against spin about the contact normal
};

// Rows: the kind argument of BallWithSurface indexes it directly.
enum {
    MaterialBallBall = 0,
    MaterialBed = 1,
    MaterialCushion = 2,
    MaterialCount = 3
};

// The free table's materials.
extern const ContactMaterial mt[MaterialCount];
// The play modes' materials, same rows, from measurements of real balls and
// cloth (sources beside the table). mt makes a dead break even from a tight rack.
extern const ContactMaterial PlayMaterials[MaterialCount];

// The tangential impulse that would stop a contact point sliding at `u` (m/s),
// given the contact's effective inverse mass `K` along the surface, unless
// Coulomb's law caps it at `limit` (friction times the normal impulse, N·s).
inline vec3 FrictionImpulse(const vec3& u, float K, float limit)
{
    const vec3 Jt = -1.0f / K * u;
    if (Dot(Jt, Jt) > limit * limit) // Jt ≠ 0 here, so |u| > 0
        return -(limit / Length(u)) * u;
    return Jt;
}
