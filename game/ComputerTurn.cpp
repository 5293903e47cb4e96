// CComputerTurn: the worker's decision polled or waited for, the aim's show timed by seconds.
#include "game/ComputerTurn.h"

#include <algorithm>
#include <cmath>

#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"

namespace {

float SmoothStep(float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

void CComputerTurn::Think(const OpponentView& view, const OpponentSettings& settings)
{
    opponent.Start(view, settings);
    stage = Thinking;
    thinkFrames = 0;
    waited = 0.0;
    begin = std::chrono::steady_clock::now();
}

bool CComputerTurn::Decided(bool wait)
{
    if (stage != Thinking)
        return false;
    ++thinkFrames;
    if (!wait && !opponent.Ready())
        return false;
    shot = opponent.Take();
    waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    stage = Idle;
    return true;
}

void CComputerTurn::BeginAim(float fromHeading)
{
    stage = Aiming;
    age = 0.0f;
    aimFrom = fromHeading;
}

bool CComputerTurn::AdvanceAim(float seconds)
{
    if (stage != Aiming)
        return false;
    age += seconds;
    if (age < ComputerStrikeSeconds)
        return false;
    stage = Idle;
    return true;
}

void CComputerTurn::Cancel()
{
    opponent.Cancel();
    stage = Idle;
}

ShotCommand CComputerTurn::Command(bool inHand, const vec3& hand) const
{
    ShotCommand c;
    c.heading = shot.angle;
    c.speed = shot.strength / SceneUnitsPerMetre;
    c.place = inHand;
    c.cue = shot.place ? shot.cue : hand;
    return c;
}

float CComputerTurn::CueHeading() const
{
    // The shorter way round to the chosen heading.
    const float turn = std::remainder(shot.angle - aimFrom, 360.0f);
    return aimFrom + turn * SmoothStep(age / ComputerSwingSeconds);
}

float CComputerTurn::CuePower() const
{
    const float power = PowerOfSpeed(shot.strength / SceneUnitsPerMetre);
    return CueMinPower +
           (power - CueMinPower) * SmoothStep((age - ComputerSwingSeconds) / ComputerDrawSeconds);
}
