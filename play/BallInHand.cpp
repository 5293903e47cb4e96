// BallInHand: the cloth, the kitchen and the other balls decide where the cue ball may go.
#include "play/BallInHand.h"

#include <algorithm>

#include "physics/TableGeometry.h"

namespace {

// Centre limits of a ball lying on the cloth, m.
const float ClothX = CushionX - BallRadius;
const float ClothY = CushionY - BallRadius;

} // namespace

Placement CheckPlacement(const Ball* balls, const PlayTable& table, int entry, float x, float y, bool kitchen)
{
    if (!(x >= -ClothX && x <= ClothX && y >= -ClothY && y <= ClothY))
        return Placement::OffCloth; // NaN too
    if (kitchen && x < HeadStringX)
        return Placement::PastHeadString;
    const float reach = 2.0f * BallRadius;
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (k == entry || table.potted[k])
            continue;
        const float dx = balls[k].position.x - x, dy = balls[k].position.y - y;
        if (dx * dx + dy * dy < reach * reach)
            return Placement::OnBall;
    }
    return Placement::Allowed;
}

void ClampToHandArea(float& x, float& y, bool kitchen)
{
    x = std::clamp(x, kitchen ? HeadStringX : -ClothX, ClothX);
    y = std::clamp(y, -ClothY, ClothY);
}

const char* PlacementText(Placement p)
{
    switch (p) {
    case Placement::OffCloth:
        return "not on the cloth";
    case Placement::OnBall:
        return "on another ball";
    case Placement::PastHeadString:
        return "a break starts behind the head string";
    case Placement::Allowed:
        break;
    }
    return "";
}
