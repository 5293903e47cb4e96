// CShotReplay: the last shot's ball positions and rotations, recorded as it ran and played back later.
#pragma once

#include <vector>

#include "physics/Ball.h"
#include "physics/PlayTable.h"

// Seconds of play between two recorded samples at first: the game's nominal frame.
constexpr float ReplaySampleSeconds = 1.0f / 60.0f;
// Most samples kept: a full record is thinned to every other sample and the
// interval doubled, so a shot of any length fits in about 3 MB
// (16 balls × two vectors × 4096 samples) and still plays whole.
constexpr int ReplayMaxSamples = 4096;
// Shift+P: the replay's speed against real time.
constexpr float ReplaySlowSpeed = 0.25f;

// No SDL and no GL: it reads the balls it is given and writes only into the
// array Advance is handed, never into the live balls.
class CShotReplay {
public:
    // Starts a new record with the balls as the strike leaves them; forgets the old one.
    void Begin(const Ball* balls);
    // After each of the shot's frames (`dt` seconds of play): a sample when the
    // interval has passed since the last one. A `dt` that is not positive, or
    // that would take the record's clock past float's range, is ignored.
    void Record(const Ball* balls, float dt);
    // The shot is over: the table at rest is the last sample.
    void End(const Ball* balls);
    // Forgets the record (a re-rack); stops a playback.
    void Clear();

    bool Recording() const { return recording; }
    // A complete shot to play.
    bool Ready() const { return !recording && samples.size() >= 2; }
    int Samples() const { return static_cast<int>(samples.size()); }
    // Seconds of play the record covers.
    float Duration() const { return samples.empty() ? 0.0f : samples.back().time; }

    // Starts playing from the strike at `speed` times real time (1 normal,
    // ReplaySlowSpeed slower). Refused (false) without a complete record.
    bool Play(float speed);
    bool Playing() const { return playing; }
    void Stop() { playing = false; }
    // Advances the playback by `dt` s of real time and writes positions and
    // rotations at that moment into `out` entries 1 to 16 (nothing else).
    // Answers false once the end is reached: `out` then holds the last sample
    // and the playback has stopped.
    bool Advance(float dt, Ball* out);

private:
    struct Sample {
        float time; // seconds of play since the strike
        vec3 position[BallSlots];
        vec3 rotation[BallSlots];
    };
    void Add(const Ball* balls);
    void Write(float t, Ball* out) const;

    std::vector<Sample> samples;
    float interval = ReplaySampleSeconds;
    float clock = 0.0f;     // seconds of play recorded so far
    float lastSample = 0.0f;
    bool recording = false;
    bool playing = false;
    float playClock = 0.0f; // seconds of play shown so far
    float playSpeed = 1.0f;
};
