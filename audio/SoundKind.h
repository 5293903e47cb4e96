// SoundKind: the four events the table makes a sound for.
#pragma once

enum class SoundKind {
    BallBall,    // two balls meet: a short hard click
    BallCushion, // a ball meets a cushion: a duller thud
    Pocket,      // a ball drops into a pocket: a drop and a rattle
    CueStrike,   // the tip meets the cue ball
};

constexpr int SoundKindCount = 4;

inline int SoundIndex(SoundKind kind) { return static_cast<int>(kind); }
