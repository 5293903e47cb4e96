// play_trace: a fingerprint of the play table's passes, to compare two builds bit for bit.
//
// Plays SHOTS shots (default 300): every third a full-strength break of a
// practice rack, the others random layouts of 2 to 16 balls with a random
// shot, each to rest; hashes every ball record after every frame and each
// shot's events (FNV-1a over the bytes). Build it at two commits and compare
// the printed hash: equal hashes mean equal states, frame by frame. No value
// of it is kept: the play modes' determinism reference is the CTest
// TableGame.FixedGameHashesToItsKnownValue, which holds its expected value.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "physics/PlayTable.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/PlayShot.h"
#include "play/PracticeRack.h"
#include "tools/sim/ScatterBalls.h"

namespace {

std::uint64_t hash = 1469598103934665603ull;

void Mix(const void* p, size_t n)
{
    const unsigned char* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i) {
        hash ^= b[i];
        hash *= 1099511628211ull;
    }
}

// Balls 1 to 16 apart from each other and from the holes; the first `off`
// entries are taken out as potted.
void RandomLayout(std::mt19937& rng, Ball* balls, PlayTable& table, int off)
{
    for (int k = FirstBall; k <= LastBall; ++k)
        table.potted[k] = k < FirstBall + off && k != table.EntryOf(0);
    ScatterBalls(rng, balls);
}

} // namespace

int main(int argc, char** argv)
{
    const long shots = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 300;
    if (shots < 1 || shots > 1000000) {
        fprintf(stderr, "usage: play_trace [SHOTS]  (1 to 1000000, default 300)\n");
        return 2;
    }
    Gravity = static_cast<float>(DefaultGravity);
    Viscosity = static_cast<float>(DefaultViscosity);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> angle(0.0f, 360.0f), strength(20.0f, 150.0f);
    long frames = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (long s = 0; s < shots; ++s) {
        Ball balls[BallSlots] = {};
        PlayTable table = PocketTable();
        ShotEvents events;
        table.events = &events;
        if (s % 3 == 0) {
            RackPractice(balls, table, static_cast<unsigned>(s));
            balls[table.EntryOf(0)].velocity = ShotVelocity(180.0f + angle(rng) / 360.0f - 0.5f, 150.0f);
        } else {
            RandomLayout(rng, balls, table, 14 - static_cast<int>(s % 15));
            balls[table.EntryOf(0)].velocity = ShotVelocity(angle(rng), strength(rng));
        }
        bool resting = false;
        frames += RunUntilRest(balls, table, 40.0, resting, [&](int) {
            Mix(balls, sizeof(balls));
            Mix(table.potted, sizeof(table.potted));
        });
        Mix(&events.firstContact, sizeof events.firstContact);
        for (int n : events.cushionsAfterContact)
            Mix(&n, sizeof n);
        for (int n : events.cushionsAtAll)
            Mix(&n, sizeof n);
        for (const ShotEvents::Pot& p : events.potted)
            Mix(&p, sizeof p);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    printf("hash %016llx after %ld shots, %ld frames (%.1f us a frame, hashing included)\n",
           static_cast<unsigned long long>(hash), shots, frames, 1e6 * seconds / frames);
    return 0;
}
