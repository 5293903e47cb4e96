// Start and Imitate: advance the sixteen balls in fixed passes and hand the result to the scene.
#pragma once

#include "physics/TableGeometry.h" // CushionX, CushionY: the free table's planes

class CObjectList;
struct Ball;
struct PlayTable;

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

// The same passes over any ball array (entries 1 to 16) and table state, with
// no hand-over to the scene: the game's play modes run them on `ball`, and
// whatever simulates away from the game hands in copies of both. With
// FreeTable() they are the free table's passes exactly.
void Start(Ball* balls, PlayTable& table, double dt, int n);
void Imitate(Ball* balls, PlayTable& table, double h);
