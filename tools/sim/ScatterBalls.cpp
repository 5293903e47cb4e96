// ScatterBalls: rejection sampling of ball places on the play table's cloth.
#include "tools/sim/ScatterBalls.h"

#include <cmath>

#include "physics/PlayTable.h"
#include "physics/TableGeometry.h"

void ScatterBalls(std::mt19937& rng, Ball* balls)
{
    std::uniform_real_distribution<float> ux(-CushionX + BallRadius, CushionX - BallRadius);
    std::uniform_real_distribution<float> uy(-CushionY + BallRadius, CushionY - BallRadius);
    for (int k = FirstBall; k <= LastBall; ++k) {
        for (;;) {
            const vec3 p(ux(rng), uy(rng), BallRadius);
            bool clear = PocketUnder(p.x, p.y) < 0;
            for (int j = FirstBall; j < k && clear; ++j)
                clear = std::hypot(p.x - balls[j].position.x, p.y - balls[j].position.y) > 2.0f * BallRadius;
            if (clear) {
                balls[k].position = p;
                break;
            }
        }
    }
}
