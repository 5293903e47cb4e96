// NineBallRack: a diamond behind the foot spot, the same spacing as the 8-ball triangle.
#include "play/NineBallRack.h"

#include <cmath>
#include <random>
#include <utility>

#include "physics/TableGeometry.h"
#include "play/PracticeRack.h"

void RackNineBall(Ball* balls, PlayTable& table, unsigned seed)
{
    static const int rowSize[] = {1, 2, 3, 2, 1};
    std::mt19937 rng(seed);
    int rest[7];
    for (int i = 0; i < 7; ++i)
        rest[i] = i + 2;
    for (int i = 6; i > 0; --i) // Fisher–Yates, the same on every library
        std::swap(rest[i], rest[rng() % (i + 1)]);

    vec3 spots[16];
    const float rowStep = RackSpacing * std::sqrt(3.0f) / 2.0f;
    int next = 0;
    for (int r = 0; r < 5; ++r)
        for (int j = 0; j < rowSize[r]; ++j) {
            const int number = r == 0 ? 1 : (r == 2 && j == 1) ? 9 : rest[next++];
            spots[number] = vec3(FootSpotX - r * rowStep, (j - 0.5f * (rowSize[r] - 1)) * RackSpacing, BallRadius);
        }
    spots[0] = vec3(HeadStringX, 0.0f, BallRadius);

    table.Unpot();
    for (int k = FirstBall; k <= LastBall; ++k) {
        Ball& b = balls[k];
        const int number = table.number[k];
        const bool inGame = number >= 0 && number <= 9;
        b.position = inGame ? spots[number] : vec3(0.0f, 0.0f, -1.0f);
        b.velocity = vec3();
        b.rotation = vec3();
        b.angularVelocity = vec3();
        table.potted[k] = !inGame;
    }
}
