// PlayOrbit: the play modes' turn, zoom and the limits that keep the eye out of the table.
#include "camera/PlayOrbit.h"

#include <algorithm>
#include <cmath>

namespace {

// Just short of straight up or down, rad, as the free table's camera keeps it.
constexpr float PitchLimit = 1.5f;
constexpr float FineAimShare = 0.1f;

} // namespace

float OrbitTurn(float dx, float rotateSpeed, const OrbitFeel& feel)
{
    // A larger heading turns the view anticlockwise (left): right is minus.
    const float turn = -dx * rotateSpeed * (feel.fine ? FineAimShare : 1.0f);
    return feel.invert ? -turn : turn;
}

void MoveOrbit(CCamera& c, float dx, float dy, const OrbitFeel& feel, float clothZ)
{
    if (c.state == CCamera::StateRotate) {
        c.angle += OrbitTurn(dx, c.rotateSpeed, feel);
        const float share = feel.fine ? FineAimShare : 1.0f;
        c.pitchAngle =
            std::clamp(c.pitchAngle - dy * c.rotateSpeed * share, -PitchLimit, PitchLimit);
    } else if (c.state == CCamera::StateZoom) {
        c.distance += dy * c.zoomSpeed;
    }
    c.distance = std::max(c.distance, OrbitNearest);
    // The eye is look − distance·direction: its height above the cloth is
    // (look.z − clothZ) − distance·sin(pitch). Looking up past the line to
    // the lowest allowed eye is refused.
    const float room = (c.look.z - clothZ - OrbitEyeAboveCloth) / c.distance;
    c.pitchAngle = std::min(c.pitchAngle, std::asin(std::clamp(room, -1.0f, 1.0f)));
    c.Derive();
}
