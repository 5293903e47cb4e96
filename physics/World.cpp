// The simulation's environment values.
#include "physics/World.h"

const float MinTactTime = 0.004f;
float Gravity = 0.0f;
float Viscosity = 0.0f;
