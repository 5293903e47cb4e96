// Cost of the aiming guide's prediction at level 2: one simulated frame (its slice unit) and a whole one-second prediction.
#include <benchmark/benchmark.h>

#include "physics/Ball.h"
#include "physics/CueStrike.h"
#include "physics/PlayTable.h"
#include "physics/TableGeometry.h"
#include "play/AimGuide.h"
#include "play/PlayShot.h"
#include "play/PracticeRack.h"

namespace {

// The practice rack, the cue ball on the head string aimed at the apex with
// draw: the widest prediction the game asks for (every ball moves within the second).
struct Break {
    Break()
    {
        RackPractice(balls, table, 5);
        cue = table.EntryOf(0);
        table.potted[cue] = false;
        balls[cue].position = vec3(HeadStringX, 0.0f, BallRadius);
        velocity = ShotVelocity(180.0f, 150.0f);
        spin = StrikeSpin(velocity, StrikePoint{0.0f, -0.3f});
    }
    Ball balls[BallSlots] = {};
    PlayTable table = PocketTable();
    int cue = 0;
    vec3 velocity, spin;
};

void WholePrediction(benchmark::State& state)
{
    const Break b;
    for (auto _ : state) {
        const AimPrediction p = PredictShot(b.balls, b.table, b.cue, b.velocity, b.spin, AimGuidePaths);
        benchmark::DoNotOptimize(p.target);
    }
}
BENCHMARK(WholePrediction)->Unit(benchmark::kMillisecond);

// One Step(1): the unit the game's 0.5 ms budget is spent in.
void OneFrameSlice(benchmark::State& state)
{
    const Break b;
    CAimGuide guide;
    guide.Begin(b.balls, b.table, b.cue, b.velocity, b.spin, AimGuidePaths);
    for (auto _ : state) {
        if (!guide.Busy()) {
            state.PauseTiming();
            guide.Begin(b.balls, b.table, b.cue, b.velocity, b.spin, AimGuidePaths);
            state.ResumeTiming();
        }
        guide.Step(1);
    }
}
BENCHMARK(OneFrameSlice)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
