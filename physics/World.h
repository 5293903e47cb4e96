// The simulation's environment: step limit, gravity and air viscosity.
#pragma once

// Longest step one pass takes, s. Longer frames make the simulation fall
// behind real time rather than take coarser steps.
extern const float MinTactTime;
// m/s² along −z, and the air's dynamic viscosity in Pa·s (Stokes drag). Both
// are zero until the configuration is read, which happens before the first pass.
extern float Gravity;
extern float Viscosity;
// Their values when game.cfg leaves them out. Doubles, as the configuration
// reads numbers: Gravity and Viscosity hold them rounded to float.
constexpr double DefaultGravity = 9.81;
constexpr double DefaultViscosity = 1.85e-05;
