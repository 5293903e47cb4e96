// Start and Imitate: advance the sixteen balls in fixed passes and hand the result to the scene.
#pragma once

class CObjectList;

// Cushion planes, m from the centre of the bed: a ball meets a cushion when its
// centre comes within its radius of one.
constexpr float CushionX = 1.45f;
constexpr float CushionY = 0.95f;

// The scene list whose ball objects every pass writes back to. Level loading
// (CGame::LoadLevel) and the simulator's rack (RackForShot) point it at the list
// they fill; null (a physics run without a scene) skips the hand-over. Not owned.
extern CObjectList* SimulationScene;

// Advances the balls by `dt` seconds in `n` passes of dt/n each (each clamped to
// MinTactTime). n < 1 does nothing, not even the hand-over to the scene.
void Start(double dt, int n);

// One pass of at most `h` seconds over ball entries 1 to 16: pair contacts,
// cushions, bed, gravity, drag, then integration and the hand-over to
// SimulationScene. Raises what SetBallsCoords raises.
void Imitate(double h);
