// TableReading: ghost-ball lines, blocking balls and the ease of a pot, from the centres alone.
#include "opponent/TableReading.h"

#include <cmath>

#include "physics/TableGeometry.h"
#include "physics/Units.h"

namespace {

// The steepest cut still worth simulating: cos 80°.
constexpr float ThinnestCut = 0.17f;
// A middle pocket takes a ball only from within about 60° of square to its rail.
constexpr float MiddleEntry = 0.5f;

} // namespace

float HeadingDegrees(float ax, float ay, float bx, float by)
{
    return std::atan2(by - ay, bx - ax) * DegreesPerRadianNearest;
}

bool PathBlocked(const Ball* balls, const PlayTable& table, float ax, float ay, float bx, float by, int skipA,
                 int skipB)
{
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float reach = 2.0f * BallRadius;
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (k == skipA || k == skipB || table.potted[k])
            continue;
        const float px = balls[k].position.x - ax, py = balls[k].position.y - ay;
        float t = len2 > 0.0f ? (px * dx + py * dy) / len2 : 0.0f;
        t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
        const float ex = px - t * dx, ey = py - t * dy;
        if (ex * ex + ey * ey < reach * reach)
            return true;
    }
    return false;
}

bool FindPotLine(const Ball* balls, const PlayTable& table, int cue, int entry, int pocket, PotLine& line)
{
    const vec3& c = balls[cue].position;
    const vec3& o = balls[entry].position;
    const float px = PocketCentreX(pocket), py = PocketCentreY(pocket);
    float ux = px - o.x, uy = py - o.y;
    const float toPocket = std::sqrt(ux * ux + uy * uy);
    if (!(toPocket > 0.0f))
        return false;
    ux /= toPocket;
    uy /= toPocket;
    if (MiddlePocket(pocket) && std::fabs(uy) < MiddleEntry)
        return false;
    // The ghost ball touches the object ball on the far side from the pocket.
    const float gx = o.x - 2.0f * BallRadius * ux, gy = o.y - 2.0f * BallRadius * uy;
    float vx = gx - c.x, vy = gy - c.y;
    const float toGhost = std::sqrt(vx * vx + vy * vy);
    if (!(toGhost > 0.0f))
        return false;
    vx /= toGhost;
    vy /= toGhost;
    line.cutCos = vx * ux + vy * uy;
    if (line.cutCos < ThinnestCut)
        return false;
    line.aim = HeadingDegrees(c.x, c.y, gx, gy);
    line.cueTravel = toGhost;
    line.objectTravel = toPocket;
    line.clear = !PathBlocked(balls, table, c.x, c.y, gx, gy, cue, entry) &&
                 !PathBlocked(balls, table, o.x, o.y, px, py, cue, entry);
    return true;
}

float LineEase(const PotLine& line)
{
    if (!line.clear)
        return 0.0f;
    // Straighter, shorter pots go in more often: an angle error at the cue ball
    // grows with both distances and with the cut's steepness.
    return line.cutCos * line.cutCos / (1.0f + 1.5f * line.cueTravel + 1.5f * line.objectTravel);
}

float PotEase(const Ball* balls, const PlayTable& table, int cue, BallSet targets)
{
    float best = 0.0f;
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (k == cue || table.potted[k] || !Has(targets, table.number[k]))
            continue;
        for (int p = 0; p < PocketCount; ++p) {
            PotLine line;
            if (FindPotLine(balls, table, cue, k, p, line)) {
                const float ease = LineEase(line);
                best = ease > best ? ease : best;
            }
        }
    }
    return best;
}
