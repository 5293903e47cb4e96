// ContactMaterial: restitution, friction and resistances of one kind of contact, and their table.
#pragma once

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

extern const ContactMaterial mt[MaterialCount];
