// The contact materials: ball on ball, ball on the cloth, ball on a cushion.
#include "physics/ContactMaterial.h"

const ContactMaterial mt[MaterialCount] = {
    {0.8f, 0.4f, 0.0f, 0.0f},     // ball on ball: only restitution and friction are used
    {0.2f, 0.7f, 0.001f, 0.01f},  // bed
    {0.5f, 0.5f, 0.001f, 0.01f},  // cushion
};
