// ShotCommand: validity, the velocity a command gives, and the strike on the cue ball.
#include "play/ShotCommand.h"

#include <cmath>

#include "physics/ShotTuning.h"
#include "physics/Units.h"

namespace {

bool Finite(const vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

bool ShotCommandValid(const ShotCommand& c)
{
    if (!std::isfinite(c.heading) || !std::isfinite(c.strike.side) || !std::isfinite(c.strike.top))
        return false;
    if (!(c.speed >= SoftestShotSpeed && c.speed <= MaxShotSpeed))
        return false;
    return !c.place || Finite(c.cue);
}

vec3 ShotCommandVelocity(const ShotCommand& c)
{
    const float a = c.heading * RadiansPerDegree;
    return vec3(c.speed * std::cos(a), c.speed * std::sin(a), 0.0f);
}

void ApplyShot(Ball& b, const ShotCommand& c)
{
    b.velocity = ShotCommandVelocity(c);
    b.angularVelocity = StrikeSpin(b.velocity, c.strike);
}
