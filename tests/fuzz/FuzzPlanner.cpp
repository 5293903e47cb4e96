// Fuzz target: the computer's planner on arbitrary positions (balls anywhere, overlapping, on a
// pocket's lip).
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "opponent/ShotPlanner.h"
#include "physics/TableGeometry.h"
#include "play/BallInHand.h"
#include "play/PlayShot.h"

namespace {

// Where a ball goes, as the input picks: the game never hands the planner
// most of these, but a position it is handed must never make it misbehave.
vec3 PlaceBall(FuzzedDataProvider& in, const vec3& previous)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: { // on the cloth
        const float x =
            in.ConsumeFloatingPointInRange(-CushionX + BallRadius, CushionX - BallRadius);
        return vec3(x,
                    in.ConsumeFloatingPointInRange(-CushionY + BallRadius, CushionY - BallRadius),
                    BallRadius);
    }
    case 1: { // on a pocket's lip, or over its hole, or at its very centre
        const int p = in.ConsumeIntegralInRange(0, PocketCount - 1);
        const float angle = in.ConsumeFloatingPointInRange(0.0f, 6.2831853f);
        const float reach = in.ConsumeFloatingPointInRange(0.0f, 2.0f * PocketRadius);
        return vec3(PocketCentreX(p) + reach * std::cos(angle),
                    PocketCentreY(p) + reach * std::sin(angle), BallRadius);
    }
    case 2: { // on the last ball, or overlapping it (the same centre included)
        const float d = in.ConsumeFloatingPointInRange(0.0f, 2.0f * BallRadius);
        const float angle = in.ConsumeFloatingPointInRange(0.0f, 6.2831853f);
        return previous + vec3(d * std::cos(angle), d * std::sin(angle), 0.0f);
    }
    default: // anywhere near the table: in the cushions, over the rails, above or in the bed
        return vec3(in.ConsumeFloatingPointInRange(-2.0f, 2.0f),
                    in.ConsumeFloatingPointInRange(-1.5f, 1.5f),
                    in.ConsumeFloatingPointInRange(-0.05f, 0.2f));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    OpponentView view;
    view.table = PocketTable();

    RackState rack;
    rack.game = in.ConsumeBool() ? GameKind::NineBall : GameKind::EightBall;
    rack.onTable = static_cast<BallSet>(in.ConsumeIntegral<uint16_t>());
    rack.turn = in.ConsumeIntegralInRange(0, 1);
    rack.breakPending = in.ConsumeBool();
    rack.ballInHand = in.ConsumeBool();
    for (Group& g : rack.group)
        g = static_cast<Group>(in.ConsumeIntegralInRange(0, 2));
    view.rules = CRules(rack);
    view.inHand = in.ConsumeBool();
    view.kitchen = in.ConsumeBool();

    vec3 previous(0.0f, 0.0f, BallRadius);
    for (int k = FirstBall; k <= LastBall; ++k) {
        Ball& b = view.balls[k];
        b = Ball{};
        b.radius = BallRadius;
        b.mass = BallMass;
        b.inertia = IMR * BallMass * BallRadius * BallRadius;
        b.position = previous = PlaceBall(in, previous);
        view.table.potted[k] = in.ConsumeIntegralInRange(0, 7) == 0;
    }

    // Few candidates and short runs: a decision in a fraction of a second.
    OpponentSettings settings;
    settings.level = in.ConsumeIntegralInRange(1, 3);
    settings.seed = in.ConsumeIntegral<unsigned>();
    settings.lines = in.ConsumeIntegralInRange(1, 2);
    settings.speeds = 1;
    settings.refine = in.ConsumeIntegralInRange(0, 1);
    settings.fan = in.ConsumeIntegralInRange(1, 8);
    settings.robust = 1;
    settings.shotSeconds = in.ConsumeFloatingPointInRange(0.1, 1.5);

    const OpponentShot shot = ChooseShot(view, settings);
    // A shot the game can strike: a finite heading, a strength within the
    // cue's, and a cue ball put down where the rules allow it (or left where
    // it waits on a table packed too full for any free spot).
    if (!std::isfinite(shot.angle) || !(shot.strength >= 20.0f && shot.strength <= 150.0f))
        __builtin_trap();
    const int cue = view.table.EntryOf(0);
    if (shot.place) {
        const vec3 at = shot.cue;
        const bool waits = at.x == view.balls[cue].position.x && at.y == view.balls[cue].position.y;
        if (!waits && CheckPlacement(view.balls, view.table, cue, at.x, at.y, view.kitchen) !=
                          Placement::Allowed)
            __builtin_trap();
    }

    // Struck as the game strikes it, from where it starts: the passes never
    // leave a ball with an infinite or NaN state.
    Ball balls[BallSlots];
    for (int k = 0; k < BallSlots; ++k)
        balls[k] = view.balls[k];
    PlayTable table = view.table;
    if (shot.place) {
        balls[cue].position = shot.cue;
        table.potted[cue] = false;
    }
    balls[cue].velocity = shot.Velocity();
    bool resting = false;
    RunUntilRest(balls, table, 1.0, resting);
    for (int k = FirstBall; k <= LastBall; ++k)
        if (!table.potted[k] && NotFinite(balls[k]))
            __builtin_trap();
    return 0;
}
