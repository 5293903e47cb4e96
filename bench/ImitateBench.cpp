// Cost of one simulation pass and of one frame (25 passes) for the racked balls, at rest and mid-break.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

#include "app/Game.h"
#include "app/SceneSync.h"
#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "physics/Simulation.h"
#include "physics/World.h"
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
    ShootFromScene(*cueBall, Game.objects, 180.0f, 150.0f);
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
    HandPassesTo(state.range(0) ? &Game.objects : nullptr);
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

// The play modes' table: the practice rack, the pockets and play materials,
// on a private ball array as the computer opponent runs its candidates.
struct PlayState {
    Ball balls[BallSlots] = {};
    PlayTable table = PocketTable();
};

PlayState PlayRack()
{
    Gravity = static_cast<float>(DefaultGravity);
    Viscosity = static_cast<float>(DefaultViscosity);
    PlayState s;
    RackPractice(s.balls, s.table, 1);
    return s;
}

void PlayBreak(PlayState& s) { s.balls[s.table.EntryOf(0)].velocity = ShotVelocity(180.0f, 150.0f); }

// One frame of 25 passes, the balls still (the cost of a table at rest).
void PlayFrameAtRest(benchmark::State& state)
{
    PlayState s = PlayRack();
    for (auto _ : state)
        Start(s.balls, s.table, PlayFrameSeconds, PlayPassesPerFrame);
    benchmark::DoNotOptimize(s.balls[16].position.z);
}

// One frame a few frames after a full-strength break reached the rack.
void PlayFrameAfterBreak(benchmark::State& state)
{
    PlayState s = PlayRack();
    PlayBreak(s);
    for (int frame = 0; frame < 30; ++frame)
        Start(s.balls, s.table, PlayFrameSeconds, PlayPassesPerFrame);
    const PlayState start = s;
    for (auto _ : state) {
        s = start;
        Start(s.balls, s.table, PlayFrameSeconds, PlayPassesPerFrame);
    }
    benchmark::DoNotOptimize(s.balls[16].position.x);
}

// A whole full-strength break played to rest: what one candidate of the
// computer opponent costs at most, frames as the game runs them.
void PlayBreakToRest(benchmark::State& state)
{
    const PlayState rack = PlayRack();
    int frames = 0;
    for (auto _ : state) {
        PlayState s = rack;
        PlayBreak(s);
        bool resting = false;
        frames = RunUntilRest(s.balls, s.table, 60.0, resting);
        benchmark::DoNotOptimize(s.balls[16].position.x);
    }
    state.counters["frames"] = frames;
}

} // namespace

BENCHMARK(PlayFrameAtRest)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlayFrameAfterBreak)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlayBreakToRest)->Unit(benchmark::kMillisecond);
BENCHMARK(ImitateAtRest)->ArgName("scene")->Arg(1)->Arg(0);
BENCHMARK(ImitateAfterBreak)->ArgName("scene")->Arg(1)->Arg(0);
BENCHMARK(FrameAtRest)->ArgName("scene")->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FrameAfterBreak)->ArgName("scene")->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
