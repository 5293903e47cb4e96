// Synthesise and SoundBank: the table's four sounds made from code at start-up, no recordings.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "audio/SoundKind.h"

// One sound: signed 16-bit mono samples at `rate` per second.
struct SoundBuffer {
    int rate = 0;
    std::vector<int16_t> samples;
};

// Every sound's loudest sample is this share of full scale (−6 dBFS): the
// headroom that lets two full-strength sounds overlap before the mixer's
// limiter has to act.
constexpr float SoundPeak = 0.5f;

// Rates the synthesiser accepts, samples per second.
constexpr int MinSoundRate = 8000;
constexpr int MaxSoundRate = 96000;

// The sound of `kind` at `rate` (clamped to MinSoundRate..MaxSoundRate). The
// same arguments give the same samples on every run: the noise is seeded.
SoundBuffer Synthesise(SoundKind kind, int rate);

// All four sounds at one rate, indexed by SoundIndex.
struct SoundBank {
    explicit SoundBank(int rate);
    const SoundBuffer& Get(SoundKind kind) const { return sound[SoundIndex(kind)]; }

    std::array<SoundBuffer, SoundKindCount> sound;
};
