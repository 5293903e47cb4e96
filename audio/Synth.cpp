// Synthesise: each sound is a few decaying resonances plus seeded noise, the way struck solids ring.
#include "audio/Synth.h"

#include <algorithm>
#include <cmath>

#include "physics/Units.h"

namespace {

// xorshift32: the same seed gives the same noise on every machine.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 1u) {}
    // Uniform in [−1, 1).
    float Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state >> 8) * (2.0f / 16777216.0f) - 1.0f;
    }
    // Uniform in [lo, hi).
    float Between(float lo, float hi) { return lo + (hi - lo) * 0.5f * (Next() + 1.0f); }

private:
    uint32_t state;
};

// A float signal being built, seconds to samples at one rate.
struct Signal {
    int rate;
    std::vector<float> s;

    Signal(int rate_, float seconds)
        : rate(rate_), s(static_cast<size_t>(std::lround(seconds * rate_)), 0.0f) {}
    size_t At(float seconds) const { return static_cast<size_t>(std::lround(seconds * rate)); }

    // A resonance struck at `start` s: amplitude a, frequency f Hz, decay time
    // tau s (to 1/e). Modes at or above 45% of the rate would alias: left out.
    void Ring(float start, float f, float tau, float a)
    {
        if (f >= 0.45f * rate)
            return;
        const float dt = 1.0f / rate;
        for (size_t i = At(start), n = 0; i < s.size(); ++i, ++n) {
            const float t = static_cast<float>(n) * dt;
            s[i] += a * std::exp(-t / tau) * std::sin(TwoPi * f * t);
        }
    }

    // A burst of noise at `start` s decaying with tau s, through a one-pole
    // low-pass at `cutoff` Hz (0: unfiltered).
    void Burst(Noise& noise, float start, float tau, float a, float cutoff)
    {
        const float dt = 1.0f / rate;
        const float k = cutoff > 0.0f ? 1.0f - std::exp(-TwoPi * cutoff * dt) : 1.0f;
        float y = 0.0f;
        for (size_t i = At(start), n = 0; i < s.size(); ++i, ++n) {
            y += k * (noise.Next() - y);
            s[i] += a * std::exp(-static_cast<float>(n) * dt / tau) * y;
        }
    }

    // Raises the first `seconds` linearly from silence: a soft body's onset.
    void Attack(float seconds)
    {
        const size_t n = std::min(At(seconds), s.size());
        for (size_t i = 0; i < n; ++i)
            s[i] *= static_cast<float>(i) / n;
    }
};

// Ivory-like balls meeting: bright modes of a few kHz that die within
// milliseconds, over the tick of the contact itself.
void BallOnBall(Signal& x)
{
    Noise noise(0x0ba11u);
    x.Ring(0.0f, 2900.0f, 0.006f, 1.0f);
    x.Ring(0.0f, 4650.0f, 0.004f, 0.6f);
    x.Ring(0.0f, 6800.0f, 0.0025f, 0.4f);
    x.Burst(noise, 0.0f, 0.0008f, 0.5f, 0.0f);
}

// Rubber and wood: low, damped, with a rounded onset and no bright edge.
void BallOnCushion(Signal& x)
{
    Noise noise(0xc5410u);
    x.Ring(0.0f, 95.0f, 0.035f, 1.0f);
    x.Ring(0.0f, 160.0f, 0.025f, 0.6f);
    x.Ring(0.0f, 340.0f, 0.012f, 0.3f);
    x.Burst(noise, 0.0f, 0.010f, 0.8f, 600.0f);
    x.Attack(0.002f);
}

// The drop onto the pocket's floor, then the ball rattling there with
// bounces that come quicker and softer, then rolling away.
void IntoPocket(Signal& x)
{
    Noise noise(0x90c4e7u);
    x.Ring(0.0f, 80.0f, 0.06f, 0.8f);
    x.Burst(noise, 0.0f, 0.02f, 0.6f, 400.0f);
    float t = 0.04f;
    float gap = 0.09f;
    float a = 0.6f;
    for (int k = 0; k < 7; ++k) {
        const float f = 1800.0f * noise.Between(0.9f, 1.1f);
        x.Ring(t, f, 0.005f, a);
        x.Ring(t, 1.72f * f, 0.003f, 0.5f * a);
        x.Burst(noise, t, 0.0005f, 0.4f * a, 0.0f);
        t += gap * noise.Between(0.8f, 1.2f);
        gap *= 0.72f;
        a *= 0.7f;
    }
    // Rolling: low noise swelling in and fading out over the tail.
    Noise roll(0x7011u);
    const size_t from = x.At(0.15f);
    const float k = 1.0f - std::exp(-TwoPi * 300.0f / x.rate);
    float y = 0.0f;
    for (size_t i = from; i < x.s.size(); ++i) {
        const float u = static_cast<float>(i - from) / (x.s.size() - from);
        y += k * (roll.Next() - y);
        x.s[i] += 0.5f * std::sin(Pi * u) * y;
    }
}

// Leather tip on the ball: a wooden knock lower than two balls meeting.
void CueOnBall(Signal& x)
{
    Noise noise(0xc0e5u);
    x.Ring(0.0f, 1100.0f, 0.005f, 1.0f);
    x.Ring(0.0f, 2300.0f, 0.003f, 0.5f);
    x.Ring(0.0f, 520.0f, 0.010f, 0.4f);
    x.Burst(noise, 0.0f, 0.001f, 0.4f, 3000.0f);
}

// Lengths, s: long enough for each sound to fall below −60 dB of its peak.
float Length(SoundKind kind)
{
    switch (kind) {
    case SoundKind::BallBall: return 0.06f;
    case SoundKind::BallCushion: return 0.25f;
    case SoundKind::Pocket: return 0.7f;
    case SoundKind::CueStrike: return 0.08f;
    }
    return 0.0f;
}

// Scales the loudest sample to SoundPeak of full scale and converts, with a
// short fade at the end so that no sound stops on a step.
SoundBuffer Finish(Signal& x)
{
    const size_t fade = std::min(x.At(0.005f), x.s.size());
    for (size_t i = 0; i < fade; ++i)
        x.s[x.s.size() - 1 - i] *= static_cast<float>(i) / fade;
    float peak = 0.0f;
    for (float v : x.s)
        peak = std::max(peak, std::fabs(v));
    const float scale = peak > 0.0f ? SoundPeak * 32767.0f / peak : 0.0f;
    SoundBuffer out;
    out.rate = x.rate;
    out.samples.reserve(x.s.size());
    for (float v : x.s)
        out.samples.push_back(static_cast<int16_t>(std::lround(v * scale)));
    return out;
}

} // namespace

SoundBuffer Synthesise(SoundKind kind, int rate)
{
    rate = std::clamp(rate, MinSoundRate, MaxSoundRate);
    Signal x(rate, Length(kind));
    switch (kind) {
    case SoundKind::BallBall: BallOnBall(x); break;
    case SoundKind::BallCushion: BallOnCushion(x); break;
    case SoundKind::Pocket: IntoPocket(x); break;
    case SoundKind::CueStrike: CueOnBall(x); break;
    }
    return Finish(x);
}

SoundBank::SoundBank(int rate)
{
    for (int k = 0; k < SoundKindCount; ++k)
        sound[k] = Synthesise(static_cast<SoundKind>(k), rate);
}
