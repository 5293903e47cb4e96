// PlayShot: a play-mode shot simulated on a handed-in table, headless: the simulator, the figures and the tests use it.
#pragma once

#include "physics/Ball.h"
#include "physics/PlayTable.h"

// The play modes' fixed step and its pass count, and the speed below which a
// ball counts as still (m/s, horizontal). The live table, the aiming guide,
// the computer's search and the simulator all advance by whole steps, so a
// prediction made from a position is what the table then does, at any frame rate.
constexpr double PlayFrameSeconds = 1.0 / 60.0;
constexpr int PlayPassesPerFrame = 25;
constexpr float PlayRestSpeed = 0.001f;

// One fixed step of the play table: PlayPassesPerFrame passes over PlayFrameSeconds.
void StepTable(Ball* balls, PlayTable& table);

// The velocity a cue of `strength` scene units per second gives a ball struck
// at `angle` degrees, in m/s: a ShotCommand's velocity at strength / 20 m/s.
vec3 ShotVelocity(float angle, float strength);

// Runs frames on `balls` and `table` until every ball on the cloth is still, or
// `maxSeconds` of play have passed. Calls `frame(n)` after each frame when given.
// Answers the frames run; `resting` says whether they ended at rest.
template <typename Frame>
int RunUntilRest(Ball* balls, PlayTable& table, double maxSeconds, bool& resting, Frame frame);
int RunUntilRest(Ball* balls, PlayTable& table, double maxSeconds, bool& resting);

// A ball on the cloth whose centre is off the bed (beyond the cushion noses
// outside a pocket mouth, or below the cloth), or any non-finite state: faults
// the passes must never produce.
bool OffTheBed(const Ball& b);
bool NotFinite(const Ball& b);

// --- template body
#include "physics/Simulation.h"

template <typename Frame>
int RunUntilRest(Ball* balls, PlayTable& table, double maxSeconds, bool& resting, Frame frame)
{
    const int limit = static_cast<int>(maxSeconds / PlayFrameSeconds + 0.5);
    resting = false;
    for (int n = 1; n <= limit; ++n) {
        StepTable(balls, table);
        frame(n);
        if (table.Resting(balls, PlayRestSpeed)) {
            resting = true;
            return n;
        }
    }
    return limit;
}
