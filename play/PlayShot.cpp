// PlayShot: the shot velocity, the run to rest, and the fault tests of a headless play-mode shot.
#include "play/PlayShot.h"

#include <cmath>

#include "physics/Simulation.h"
#include "physics/TableGeometry.h"
#include "play/ShotCommand.h"

void StepTable(Ball* balls, PlayTable& table)
{
    Start(balls, table, PlayFrameSeconds, PlayPassesPerFrame);
}

vec3 ShotVelocity(float angle, float strength)
{
    ShotCommand c;
    c.heading = angle;
    c.speed = strength / SceneUnitsPerMetre;
    return ShotCommandVelocity(c);
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
