// CMixer: the voices that sound at once, their loudness from impact speed, and the limiter after them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "audio/Synth.h"

// Voices that can sound at once; a break sets off a few dozen contacts in its
// first frames, most too quiet to matter once the loud ones ring.
constexpr int MaxVoices = 16;

// Loudness 0..1 of `kind` at an impact of `speed` m/s: proportional to the
// speed (the sound pressure of an elastic knock grows with the impact
// velocity) up to the speed that plays a sound at full strength, and 0 below
// the slowest audible contact, so that balls resting against each other make
// no sound. A strike or a drop always sounds, at least softly. A speed that is
// not finite counts as 0.
float ImpactGain(SoundKind kind, float speed);

// The clipping guard: a soft limiter. Samples (full scale ±1) up to
// LimiterKnee pass unchanged; above it a tanh curve bends them towards
// LimiterCeiling, which they never reach. One voice at full strength (peak
// SoundPeak) stays under the knee; a pile of overlapping ones is squeezed,
// never clipped flat and never wrapped.
constexpr float LimiterKnee = SoundPeak;
constexpr float LimiterCeiling = 0.95f;
float SoftLimit(float x);

// Plain C++, no SDL: the device class calls Mix from its audio callback and
// Play from the game under the audio lock. Neither allocates nor blocks.
class CMixer {
public:
    // `bank` must outlive the mixer.
    explicit CMixer(const SoundBank& bank);

    // Master volume, clamped to 0..1; a value that is not finite gives 0.
    void SetVolume(float volume);
    float Volume() const { return volume; }

    // Starts `kind` at the loudness of an impact at `speed` m/s. When every
    // voice is busy the quietest is replaced if the new sound is louder.
    // Answers false when nothing was started (too quiet, or all louder).
    bool Play(SoundKind kind, float speed);

    // Writes `frames` mono samples: the sum of the voices times the volume,
    // through SoftLimit. Finished voices are freed.
    void Mix(int16_t* out, int frames);

    int ActiveVoices() const;

private:
    struct Voice {
        const SoundBuffer* sound = nullptr; // null: free
        size_t next = 0;                    // next sample to play
        float gain = 0.0f;
    };

    const SoundBank& bank;
    Voice voices[MaxVoices];
    float volume = 1.0f;
};
