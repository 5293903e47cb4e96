// RunShot: the free table's rack and a shot played frame by frame, headless, as the level runs it.
#include "tools/sim/ShotRun.h"

#include <cmath>

#include "app/Game.h"
#include "app/SceneSync.h"
#include "physics/Ball.h"
#include "physics/Simulation.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "scene/Ball.h"
#include "tools/sim/Rack.h"

static bool Finite(const vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// A centre beyond a cushion plane, or under the bed, has left the table.
static bool OffTable(const vec3& p)
{
    return std::fabs(p.x) > CushionX || std::fabs(p.y) > CushionY || p.z < 0.0f;
}

static std::array<vec3, SimBalls> Positions()
{
    std::array<vec3, SimBalls> at;
    for (int k = 0; k < SimBalls; ++k)
        at[k] = ball[k + FirstBall].position;
    return at;
}

// Checks one frame's state; answers whether every ball is below the rest speed.
static bool Inspect(SimShotResult& result, int frame)
{
    bool resting = true;
    for (int k = 0; k < SimBalls; ++k) {
        const Ball& b = ball[k + FirstBall];
        const float speed = std::hypot(b.velocity.x, b.velocity.y);
        if (speed > result.topSpeed[k])
            result.topSpeed[k] = speed;
        if (!(speed < SimRestSpeed))
            resting = false;
        if (result.nanFrame < 0 &&
            !(Finite(b.position) && Finite(b.velocity) && Finite(b.angularVelocity))) {
            result.nanFrame = frame;
            result.nanBall = k;
        }
        if (result.offTableFrame < 0 && OffTable(b.position)) {
            result.offTableFrame = frame;
            result.offTableBall = k;
        }
    }
    return resting;
}

SimShotResult RunShot(const ShotSettings& settings)
{
    if (settings.mode == 1)
        return RunPracticeShot(settings);

    CBall* cueBall = RackForShot(Game.objects);

    SimShotResult result;
    int k = 0;
    for (CObject* object : Game.objects.items)
        result.number[k++] = static_cast<CBall*>(object)->number;

    ShootFromScene(*cueBall, Game.objects, settings.angle, settings.strength);
    if (settings.spin) {
        // The strike handed the velocity to the cue ball's physics entry, found by
        // its place in the list; the spin is the physics' alone.
        int entry = FirstBall;
        for (CObject* object : Game.objects.items) {
            if (object == cueBall)
                break;
            ++entry;
        }
        ball[entry].angularVelocity = StrikeSpin(ball[entry].velocity, settings.strike);
    }
    result.start = Positions();
    if (settings.record)
        result.track.push_back(result.start);

    const int maxFrames = static_cast<int>(std::ceil(settings.maxSeconds / SimFrameSeconds));
    for (int frame = 1; frame <= maxFrames; ++frame) {
        Start(SimFrameSeconds, SimPassesPerFrame);
        result.frames = frame;
        if (settings.record)
            result.track.push_back(Positions());
        result.atRest = Inspect(result, frame);
        if (result.atRest || result.nanFrame >= 0) // NaN never settles
            break;
    }
    result.final = Positions();
    Game.objects.Clear();
    return result;
}
