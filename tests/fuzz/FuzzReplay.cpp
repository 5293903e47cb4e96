// Fuzz target: the shot replay's record and playback fed arbitrary samples, intervals and speeds.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "play/ShotReplay.h"

namespace {

// A float of the input's choosing: one of the values that break arithmetic
// (NaN, the infinities, the largest, the smallest), any bit pattern at all,
// or a finite value of any size.
float AnyFloat(FuzzedDataProvider& in)
{
    constexpr float Edges[] = {0.0f,
                               -0.0f,
                               std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::max(),
                               -std::numeric_limits<float>::max(),
                               std::numeric_limits<float>::denorm_min(),
                               1.0f / 60.0f};
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return Edges[in.ConsumeIntegralInRange<size_t>(0, sizeof Edges / sizeof Edges[0] - 1)];
    case 1: {
        const uint32_t bits = in.ConsumeIntegral<uint32_t>();
        float f;
        memcpy(&f, &bits, sizeof f);
        return f;
    }
    default:
        return in.ConsumeFloatingPoint<float>();
    }
}

// What was handed to the record since its Begin: each ball's box of positions
// and rotations. Playback interpolates between samples, so whatever it shows
// lies inside them, as long as they were all finite and not so large that the
// difference of two overflows.
struct Bounds {
    vec3 low[BallSlots], high[BallSlots];
    bool usable = false;

    void Reset()
    {
        usable = true;
        std::fill(low, low + BallSlots, vec3(1e30f, 1e30f, 1e30f));
        std::fill(high, high + BallSlots, vec3(-1e30f, -1e30f, -1e30f));
    }
    void Add(const Ball* balls)
    {
        for (int k = 0; k < BallSlots; ++k)
            for (const vec3* v : {&balls[k].position, &balls[k].rotation}) {
                for (float c : {v->x, v->y, v->z})
                    usable = usable && std::fabs(c) <= 1e30f;
            }
        for (int k = 0; k < BallSlots; ++k) {
            const vec3 p = balls[k].position, r = balls[k].rotation;
            low[k] = vec3(std::min({low[k].x, p.x, r.x}), std::min({low[k].y, p.y, r.y}),
                          std::min({low[k].z, p.z, r.z}));
            high[k] = vec3(std::max({high[k].x, p.x, r.x}), std::max({high[k].y, p.y, r.y}),
                           std::max({high[k].z, p.z, r.z}));
        }
    }
    bool Inside(const Ball* out) const
    {
        for (int k = FirstBall; k <= LastBall; ++k)
            for (const vec3* v : {&out[k].position, &out[k].rotation}) {
                const float c[3] = {v->x, v->y, v->z}, lo[3] = {low[k].x, low[k].y, low[k].z},
                            hi[3] = {high[k].x, high[k].y, high[k].z};
                for (int i = 0; i < 3; ++i) {
                    const float slack =
                        1e-5f * std::max(std::fabs(lo[i]), std::fabs(hi[i])) + 1e-30f;
                    if (!(c[i] >= lo[i] - slack && c[i] <= hi[i] + slack))
                        return false;
                }
            }
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    CShotReplay replay;
    Ball balls[BallSlots] = {};
    Bounds bounds;
    // Playback writes entries 1 to 16 only: 0 and the two beyond are sentinels.
    Ball out[BallSlots + 2];
    const float sentinel = -7.25f;
    for (Ball& b : out)
        b.position = b.rotation = vec3(sentinel, sentinel, sentinel);
    bool everBegun = false;

    for (int step = 0; step < 4096 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0: { // new positions and rotations for a few balls
            const int n = in.ConsumeIntegralInRange(1, 4);
            for (int i = 0; i < n; ++i) {
                Ball& b = balls[in.ConsumeIntegralInRange(0, BallSlots - 1)];
                b.position = vec3(AnyFloat(in), AnyFloat(in), AnyFloat(in));
                b.rotation = vec3(AnyFloat(in), AnyFloat(in), AnyFloat(in));
            }
            break;
        }
        case 1:
            replay.Begin(balls);
            bounds.Reset();
            bounds.Add(balls);
            everBegun = true;
            break;
        case 2:
            replay.Record(balls, AnyFloat(in));
            if (replay.Recording())
                bounds.Add(balls);
            break;
        case 3: { // a long shot at once: thinning on the way
            const float dt = AnyFloat(in);
            const int frames = in.ConsumeIntegralInRange(0, 20000);
            for (int i = 0; i < frames && replay.Recording(); ++i)
                replay.Record(balls, dt);
            if (replay.Recording())
                bounds.Add(balls);
            break;
        }
        case 4:
            if (replay.Recording())
                bounds.Add(balls);
            replay.End(balls);
            break;
        case 5: {
            const bool ready = replay.Ready();
            const float speed = AnyFloat(in);
            if (replay.Play(speed) != (ready && speed > 0.0f))
                __builtin_trap(); // refused exactly without a complete record or a forward speed
            break;
        }
        case 6: {
            const bool playing = replay.Playing();
            replay.Advance(AnyFloat(in), out);
            if (playing && everBegun && bounds.usable && !bounds.Inside(out))
                __builtin_trap(); // shown a place the record never held
            break;
        }
        default:
            replay.Clear();
            break;
        }
        if (replay.Samples() > ReplayMaxSamples)
            __builtin_trap();
        for (const Ball& b : {out[0], out[BallSlots], out[BallSlots + 1]})
            if (b.position.x != sentinel || b.rotation.z != sentinel)
                __builtin_trap(); // written outside entries 1 to 16
    }
    return 0;
}
