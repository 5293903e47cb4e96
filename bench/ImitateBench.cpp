// Cost of one simulation pass and of one frame (25 passes) for the racked balls, at rest and mid-break.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

#include "app/Game.h"
#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "physics/Simulation.h"
#include "play/PlayShot.h"
#include "play/PracticeRack.h"
#include "scene/Ball.h"
#include "tools/sim/Rack.h"
#include "tools/sim/ShotRun.h"

namespace {

// One pass of the simulator's frame.
const double PassSeconds = SimFrameSeconds / SimPassesPerFrame;

using Snapshot = std::array<Ball, LastBall + 1>;

Snapshot Take()
{
    Snapshot s;
    for (int k = FirstBall; k <= LastBall; ++k)
        s[k] = ball[k];
    return s;
}

void Restore(const Snapshot& s)
{
    for (int k = FirstBall; k <= LastBall; ++k)
        ball[k] = s[k];
}

// The rack in Game.objects and the physics, settled on the bed for a second.
void RackAtRest()
{
    RackForShot(Game.objects);
    for (int frame = 0; frame < 60; ++frame)
        Start(SimFrameSeconds, SimPassesPerFrame);
}

// A full-strength break, a few frames after the cue ball has reached the rack.
Snapshot JustAfterBreak()
{
    RackAtRest();
    CBall* cueBall = static_cast<CBall*>(Game.objects.items.back());
    cueBall->Shoot(180.0f, 150.0f);
    bool hit = false;
    for (int frame = 0; frame < 600 && !hit; ++frame) {
        Start(SimFrameSeconds, SimPassesPerFrame);
        for (int k = FirstBall; k < LastBall && !hit; ++k)
            hit = Length(ball[k].velocity) > 0.5f;
    }
    for (int frame = 0; frame < 2; ++frame)
        Start(SimFrameSeconds, SimPassesPerFrame);
    return Take();
}

// range(0): 1 hands each pass to the 16 ball objects (as the game does), 0 skips that.
void UseScene(const benchmark::State& state)
{
    SimulationScene = state.range(0) ? &Game.objects : nullptr;
}

void ImitateAtRest(benchmark::State& state)
{
    RackAtRest();
    UseScene(state);
    for (auto _ : state)
        Imitate(PassSeconds);
    benchmark::DoNotOptimize(ball[16].position.z);
}

void ImitateAfterBreak(benchmark::State& state)
{
    const Snapshot start = JustAfterBreak();
    UseScene(state);
    int pass = 0;
    // Each run of 25 passes replays the same frame, so the balls stay in flight.
    for (auto _ : state) {
        if (pass == 0)
            Restore(start);
        Imitate(PassSeconds);
        pass = pass + 1 == SimPassesPerFrame ? 0 : pass + 1;
    }
    benchmark::DoNotOptimize(ball[16].position.x);
}

void FrameAtRest(benchmark::State& state)
{
    RackAtRest();
    UseScene(state);
    for (auto _ : state)
        Start(SimFrameSeconds, SimPassesPerFrame);
    benchmark::DoNotOptimize(ball[16].position.z);
}

// Includes restoring 16 records (about 1.5 KB) per frame.
void FrameAfterBreak(benchmark::State& state)
{
    const Snapshot start = JustAfterBreak();
    UseScene(state);
    for (auto _ : state) {
        Restore(start);
        Start(SimFrameSeconds, SimPassesPerFrame);
    }
    benchmark::DoNotOptimize(ball[16].position.x);
}

// The practice table's frame on a handed-in copy (as an aiming guide or a
// computer player would run it), a few frames after a full-strength break;
// each iteration restores the copy and its table state.
void PracticeFrameAfterBreak(benchmark::State& state)
{
    Ball balls[BallSlots] = {};
    PlayTable table = PocketTable();
    RackPractice(balls, table, 1);
    balls[table.EntryOf(0)].velocity = ShotVelocity(180.0f, 150.0f);
    for (int frame = 0; frame < 12; ++frame)
        Start(balls, table, SimFrameSeconds, SimPassesPerFrame);
    Ball startBalls[BallSlots];
    std::copy(balls, balls + BallSlots, startBalls);
    const PlayTable startTable = table;
    for (auto _ : state) {
        std::copy(startBalls, startBalls + BallSlots, balls);
        table = startTable;
        Start(balls, table, SimFrameSeconds, SimPassesPerFrame);
    }
    benchmark::DoNotOptimize(balls[16].position.x);
}

} // namespace

BENCHMARK(PracticeFrameAfterBreak)->Unit(benchmark::kMicrosecond);
BENCHMARK(ImitateAtRest)->ArgName("scene")->Arg(1)->Arg(0);
BENCHMARK(ImitateAfterBreak)->ArgName("scene")->Arg(1)->Arg(0);
BENCHMARK(FrameAtRest)->ArgName("scene")->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FrameAfterBreak)->ArgName("scene")->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
