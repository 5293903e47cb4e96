// Start and Imitate: the balls advanced in fixed passes; each free-table pass ends with a hook.
#pragma once

#include "physics/TableGeometry.h" // CushionX, CushionY: the free table's planes

struct Ball;
struct PlayTable;

// What every pass of the free table's Imitate(h) ends with, once the balls
// have moved: call(context). Whatever shows the balls installs it (the game
// hands them to its scene objects); with no call a pass ends there.
struct PassHook {
    void (*call)(void* context) = nullptr;
    void* context = nullptr;
};
extern PassHook FreeTablePassHook;

// Advances the balls by `dt` seconds in `n` passes of dt/n each (each clamped to
// MinTactTime). n < 1 does nothing, not even the hook.
void Start(double dt, int n);

// One pass of at most `h` seconds over ball entries 1 to 16: pair contacts,
// cushions, bed, gravity, drag, then integration and FreeTablePassHook.
// Raises what the hook raises.
void Imitate(double h);

// The same passes over any ball array (entries 1 to 16) and table state, with
// no hook: the game's play modes run them on `ball`, and whatever simulates
// away from the game hands in copies of both. With FreeTable() they are the
// free table's passes exactly.
void Start(Ball* balls, PlayTable& table, double dt, int n);
void Imitate(Ball* balls, PlayTable& table, double h);
