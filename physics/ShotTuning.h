// ShotTuning: the one home of how a drawn-back cue becomes the cue ball's speed.
#pragma once

#include "physics/TableGeometry.h" // SceneUnitsPerMetre

// The cue's power, as the mouse draws it back: from CueMinPower (a click
// without a drag) to CueMaxPower.
constexpr float CueMinPower = 2.0f;
constexpr float CueMaxPower = 15.0f;
// Power gained per pixel of downward mouse motion while aiming.
constexpr float PowerPerPixel = 0.1f;
// The shot's speed per unit of power, scene units per second: the free table
// strikes at ten times the power, so the cue ball leaves at 1 to 7.5 m/s.
constexpr float ShotSpeedPerPower = 10.0f;

// The cue ball's speed, m/s, for a cue drawn back to `power`, and back again.
constexpr float SpeedOfPower(float power)
{
    return ShotSpeedPerPower * power / SceneUnitsPerMetre;
}
constexpr float PowerOfSpeed(float speed)
{
    return speed * SceneUnitsPerMetre / ShotSpeedPerPower;
}

// The free table's cue, m/s: its softest (a click) and hardest strikes.
constexpr float MinShotSpeed = SpeedOfPower(CueMinPower);
constexpr float MaxShotSpeed = SpeedOfPower(CueMaxPower);

// The play modes' cue: the mouse draws it back by a `pull` from 0 (a click) to
// 1 (PullPixels of downward motion), and the speed grows as the square of the
// pull from a touch shot to the table's hardest. The square spends the first
// half of the travel below 2.1 m/s, where position play lives: at the bottom
// a pixel adds under 0.001 m/s, a fiftieth of the free table's 0.05.
constexpr float SoftestShotSpeed = 0.3f; // m/s: the cue ball rolls about a third of a metre
constexpr float PullPixels = 300.0f;
constexpr float SpeedOfPull(float pull)
{
    return SoftestShotSpeed + (MaxShotSpeed - SoftestShotSpeed) * pull * pull;
}
// The pull that gives `speed` m/s (clamped to the curve's range).
float PullOfSpeed(float speed);

// The play modes' cue model comes back over its own travel as the pull grows:
// the power it is drawn to for a pull, and back (what a watching side is sent).
constexpr float CuePowerOfPull(float pull)
{
    return CueMinPower + pull * (CueMaxPower - CueMinPower);
}
constexpr float PullOfCuePower(float power)
{
    return (power - CueMinPower) / (CueMaxPower - CueMinPower);
}
