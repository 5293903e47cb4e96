// PracticeRack: a tight triangle, apex on the foot spot, 8 in the middle, a solid and a stripe in the back corners.
#include "play/PracticeRack.h"

#include <cmath>
#include <random>
#include <utility>

#include "physics/TableGeometry.h"

namespace {

constexpr int Rows = 5;

// Row r (0 is the apex) holds r + 1 balls; slot j runs across the table.
vec3 Slot(int r, int j)
{
    const float rowStep = RackSpacing * std::sqrt(3.0f) / 2.0f;
    return vec3(FootSpotX - r * rowStep, (j - 0.5f * r) * RackSpacing, BallRadius);
}

} // namespace

void PracticeRackSpots(unsigned seed, vec3 spots[16])
{
    std::mt19937 rng(seed);
    // Fifteen slots in row order; the middle of row 2 is the 5th, the back
    // corners the 11th and the 15th.
    const int middle = 4, backLeft = 10, backRight = 14;
    int solids[7], stripes[7];
    for (int i = 0; i < 7; ++i) {
        solids[i] = i + 1;
        stripes[i] = i + 9;
    }
    const int solid = solids[rng() % 7];
    const int stripe = stripes[rng() % 7];
    int rest[12], n = 0;
    for (int b = 1; b <= 15; ++b)
        if (b != 8 && b != solid && b != stripe)
            rest[n++] = b;
    for (int i = n - 1; i > 0; --i) // Fisher–Yates, the same on every library
        std::swap(rest[i], rest[rng() % (i + 1)]);
    const bool solidLeft = rng() % 2 == 0;

    int slot = 0, next = 0;
    for (int r = 0; r < Rows; ++r)
        for (int j = 0; j <= r; ++j, ++slot) {
            int number;
            if (slot == middle)
                number = 8;
            else if (slot == backLeft)
                number = solidLeft ? solid : stripe;
            else if (slot == backRight)
                number = solidLeft ? stripe : solid;
            else
                number = rest[next++];
            spots[number] = Slot(r, j);
        }
    spots[0] = vec3(HeadStringX, 0.0f, BallRadius);
}

void RackPractice(Ball* balls, PlayTable& table, unsigned seed)
{
    vec3 spots[16];
    PracticeRackSpots(seed, spots);
    table.Unpot();
    for (int k = FirstBall; k <= LastBall; ++k) {
        Ball& b = balls[k];
        const int number = table.number[k];
        b.position = spots[number >= 0 && number <= 15 ? number : 0];
        b.velocity = vec3();
        b.rotation = vec3();
        b.angularVelocity = vec3();
    }
}
