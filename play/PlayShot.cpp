// PlayShot: the shot velocity, the run to rest, and the fault tests of a headless play-mode shot.
#include "play/PlayShot.h"

#include <cmath>

#include "physics/Units.h"

vec3 ShotVelocity(float angle, float strength)
{
    // As CBall::Shoot: degrees to radians, scene units to metres.
    const float a = angle * RadiansPerDegree;
    return vec3(strength * std::cos(a), strength * std::sin(a), 0.0f) / SceneUnitsPerMetre;
}

int RunUntilRest(Ball* balls, PlayTable& table, double maxSeconds, bool& resting)
{
    return RunUntilRest(balls, table, maxSeconds, resting, [](int) {});
}

bool OffTheBed(const Ball& b)
{
    const vec3& p = b.position;
    if (p.z < 0.0f)
        return true;
    // Inside the noses is the bed; past them only a pocket's mouth is open,
    // and a centre there is on its way into the hole (allow the jaw radius).
    if (std::fabs(p.x) <= CushionX && std::fabs(p.y) <= CushionY)
        return false;
    const float slack = PocketRadius + BallRadius;
    for (int k = 0; k < PocketCount; ++k) {
        const float dx = p.x - PocketCentreX(k), dy = p.y - PocketCentreY(k);
        if (dx * dx + dy * dy < slack * slack)
            return false;
    }
    return true;
}

bool NotFinite(const Ball& b)
{
    for (const vec3* v : {&b.position, &b.velocity, &b.angularVelocity})
        if (!(std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z)))
            return true;
    return false;
}
