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

// The range of speeds a shot command may carry, m/s: the cue's softest and hardest.
constexpr float MinShotSpeed = SpeedOfPower(CueMinPower);
constexpr float MaxShotSpeed = SpeedOfPower(CueMaxPower);
