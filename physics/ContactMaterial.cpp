// The contact materials: ball on ball, ball on the cloth, ball on a cushion.
#include "physics/ContactMaterial.h"

const ContactMaterial mt[MaterialCount] = {
    {0.8f, 0.4f, 0.0f, 0.0f},     // ball on ball: only restitution and friction are used
    {0.2f, 0.7f, 0.001f, 0.01f},  // bed
    {0.5f, 0.5f, 0.001f, 0.01f},  // cushion
};

// Published measurements of pool balls, cloth and cushions:
//  [A] D. G. Alciatore, "Pool and billiards physics resources: physical
//      properties", billiards.colostate.edu/faq/physics/physical-properties/
//      (ball-ball restitution 0.92-0.98 and friction 0.03-0.08; ball-cloth
//      sliding friction 0.15-0.4, rolling resistance coefficient 0.005-0.015,
//      spin deceleration 5-15 rad/s^2; ball-table restitution about 0.5;
//      ball-rail restitution 0.6-0.9).
//  [B] J. van Balen, "Cushion impact in billiards", University of Twente,
//      essay.utwente.nl/59134 (a constant cushion restitution of 0.85 fits).
//  [C] H.-C. Kim, "Collision of two spinning billiard balls and the role of
//      table", arXiv:2402.13258 (nearly elastic, low-friction ball contacts).
// Lever arms here are coefficient times the 5 cm ball radius: rolling
// resistance 0.01·R = 0.5 mm; spin resistance 1 mm, which with the bed's
// normal impulse of m·g per second gives about 10 rad/s^2 of spin decay.
const ContactMaterial PlayMaterials[MaterialCount] = {
    {0.96f, 0.05f, 0.0f, 0.0f},      // ball on ball [A][C]
    {0.5f, 0.2f, 0.0005f, 0.001f},   // bed: sliding friction 0.2, rolling 0.01 [A]
    {0.8f, 0.2f, 0.0005f, 0.001f},   // cushion: restitution between [A] and [B]
};
