// baizeline-figures: the practice table's measured figures: breaks, pocket shots, a cushion roll, and random shots for faults.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "physics/PlayTable.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/PlayShot.h"
#include "play/PracticeRack.h"
#include "tools/sim/ScatterBalls.h"

namespace {

struct Break {
    int moved = 0, cushioned = 0, potted = 0;
    double seconds = 0.0;
    bool resting = false;
};

// A break from the head string at full strength, `aim` degrees off the rack's apex.
Break PlayBreak(unsigned seed, float aim)
{
    Ball balls[BallSlots] = {};
    PlayTable table = PocketTable();
    ShotEvents events;
    table.events = &events;
    RackPractice(balls, table, seed);
    vec3 start[BallSlots];
    for (int k = FirstBall; k <= LastBall; ++k)
        start[k] = balls[k].position;
    balls[table.EntryOf(0)].velocity = ShotVelocity(180.0f + aim, 150.0f);
    Break b;
    b.seconds = RunUntilRest(balls, table, 60.0, b.resting) * PlayFrameSeconds;
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (table.number[k] == 0)
            continue;
        const vec3 d = balls[k].position - start[k];
        if (table.potted[k] || std::hypot(d.x, d.y) > 0.3)
            ++b.moved;
        if (table.potted[k])
            ++b.potted;
    }
    for (int n : events.cushionsAtAll)
        b.cushioned += n != 0;
    return b;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : 0.5 * (v[v.size() / 2 - 1] + v[v.size() / 2]);
}

void Breaks()
{
    std::mt19937 rng(2026);
    std::uniform_real_distribution<float> aim(-1.0f, 1.0f);
    std::vector<double> moved, cushioned, seconds, potted;
    printf("20 breaks, full strength (7.5 m/s) from the head string, aim 180 +- 1 deg, racks shuffled by seed 1..20\n");
    printf("  seed   aim    moved>0.3m  to-cushion  rest-s  potted\n");
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const float a = aim(rng);
        const Break b = PlayBreak(seed, a);
        printf("  %4u  %+5.2f  %6d      %6d      %6.2f%s  %4d\n", seed, a, b.moved, b.cushioned, b.seconds,
               b.resting ? "" : "+", b.potted);
        moved.push_back(b.moved);
        cushioned.push_back(b.cushioned);
        seconds.push_back(b.seconds);
        potted.push_back(b.potted);
    }
    auto summary = [](const char* name, const std::vector<double>& v) {
        double sum = 0.0;
        for (double x : v)
            sum += x;
        printf("  %-22s min %6.2f  median %6.2f  mean %6.2f  max %6.2f\n", name,
               *std::min_element(v.begin(), v.end()), Median(v), sum / v.size(),
               *std::max_element(v.begin(), v.end()));
    };
    summary("moved over 0.3 m", moved);
    summary("object balls to cushion", cushioned);
    summary("seconds to rest", seconds);
    summary("potted", potted);
}

// One ball alone on the table at `from`, sent at `speed` m/s toward `to`;
// answers the pocket it dropped into, or -1.
int LoneShot(vec3 from, vec3 to, float speed, vec3* end = nullptr)
{
    Ball balls[BallSlots] = {};
    PlayTable table = PocketTable();
    // The others wait far apart along the −y cushion's middle, out of the way.
    for (int k = FirstBall; k <= LastBall; ++k)
        balls[k].position = vec3(-0.6f + 0.11f * (k - 1), -0.85f, BallRadius);
    const int cue = table.EntryOf(0);
    balls[cue].position = from;
    const vec3 d = to - from;
    balls[cue].velocity = d * (speed / std::hypot(d.x, d.y));
    balls[cue].velocity.z = 0.0f;
    bool resting = false;
    RunUntilRest(balls, table, 30.0, resting);
    if (end)
        *end = balls[cue].position;
    return table.potted[cue] ? table.pocket[cue] : -1;
}

const char* Result(int pocket)
{
    return pocket >= 0 ? "drops" : "stays out";
}

void PocketShots()
{
    const float medium = 2.0f; // m/s, strength 40 of the cue's 20..150
    const vec3 corner(PocketCentreX(0), PocketCentreY(0), BallRadius);
    const vec3 diagonal(-std::sqrt(0.5f), -std::sqrt(0.5f), 0.0f);
    const vec3 across(std::sqrt(0.5f), -std::sqrt(0.5f), 0.0f);
    const vec3 from = corner + 0.5f * diagonal;
    const float ballWidth = 2.0f * BallRadius;
    // The mouth's half width along its line, plus a ball's width beyond it.
    const float cornerHalf = PlayTableCut.cornerJaw / SceneUnitsPerMetre * std::sqrt(0.5f);
    printf("\nStraight shots from 0.5 m at %.1f m/s:\n", medium);
    printf("  corner, at the pocket centre:                  %s\n", Result(LoneShot(from, corner, medium)));
    const vec3 outside = corner + (cornerHalf + ballWidth) * across + diagonal * (0.5f * cornerHalf);
    printf("  corner, a ball's width outside the mouth:      %s\n", Result(LoneShot(from, outside, medium)));
    const vec3 middle(PocketCentreX(1), PocketCentreY(1), BallRadius);
    const vec3 mfrom = middle - vec3(0.0f, 0.5f, 0.0f);
    const float middleHalf = PlayTableCut.middleJaw / SceneUnitsPerMetre;
    printf("  middle, at the pocket centre:                  %s\n", Result(LoneShot(mfrom, middle, medium)));
    const vec3 moutside = middle + vec3(middleHalf + ballWidth, -0.05f, 0.0f);
    printf("  middle, a ball's width outside the mouth:      %s\n", Result(LoneShot(mfrom, moutside, medium)));

    printf("\nRolls along a cushion into a corner, the ball touching the cushion 0.6 m out\n"
           "(D drops, S stops short on the cloth, B bounces out off the jaws):\n");
    for (int side = 0; side < 2; ++side) {
        printf("  along the %s:", side == 0 ? "+y side cushion" : "+x end cushion ");
        for (int tenth = 3; tenth <= 20; ++tenth) {
            const float speed = tenth / 10.0f;
            const vec3 start = side == 0 ? vec3(CushionX - 0.6f, CushionY - BallRadius, BallRadius)
                                         : vec3(CushionX - BallRadius, CushionY - 0.6f, BallRadius);
            const vec3 aim = side == 0 ? vec3(CushionX + 1.0f, CushionY - BallRadius, BallRadius)
                                       : vec3(CushionX - BallRadius, CushionY + 1.0f, BallRadius);
            vec3 end;
            const int pocket = LoneShot(start, aim, speed, &end);
            // Short: at rest before the corner's mouth, still along the cushion.
            const bool shortOf = std::fabs(side == 0 ? end.y - start.y : end.x - start.x) < 0.01f;
            printf(" %.1f%c", speed, pocket >= 0 ? 'D' : (shortOf ? 'S' : 'B'));
        }
        printf("  (m/s)\n");
    }
}

struct FaultCount {
    long shots = 0, offTable = 0, notFinite = 0, potted = 0, unrested = 0;
};

// Random layouts (all sixteen balls on the bed, apart) and random shots of the
// cue ball; counts faults per ball over every frame.
void RandomShots(unsigned seed, long count, FaultCount& out)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> angle(0.0f, 360.0f), strength(20.0f, 150.0f);
    for (long s = 0; s < count; ++s) {
        Ball balls[BallSlots] = {};
        PlayTable table = PocketTable();
        ScatterBalls(rng, balls);
        balls[table.EntryOf(0)].velocity = ShotVelocity(angle(rng), strength(rng));
        bool resting = false, off = false, nan = false;
        RunUntilRest(balls, table, 40.0, resting, [&](int) {
            for (int k = FirstBall; k <= LastBall; ++k) {
                if (table.potted[k])
                    continue;
                off = off || OffTheBed(balls[k]);
                nan = nan || NotFinite(balls[k]);
            }
        });
        ++out.shots;
        out.offTable += off;
        out.notFinite += nan;
        out.unrested += !resting;
        for (int k = FirstBall; k <= LastBall; ++k)
            out.potted += table.potted[k];
    }
}

void Faults(long count)
{
    const unsigned threads = 2;
    FaultCount parts[threads];
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back(RandomShots, 100 + t, count / threads + (t < count % threads), std::ref(parts[t]));
    for (std::thread& w : workers)
        w.join();
    FaultCount all;
    for (const FaultCount& p : parts) {
        all.shots += p.shots;
        all.offTable += p.offTable;
        all.notFinite += p.notFinite;
        all.potted += p.potted;
        all.unrested += p.unrested;
    }
    printf("\n%ld random shots (random layouts of 16 balls, angle 0..360, strength 20..150):\n", all.shots);
    printf("  shots with a ball off the bed: %ld\n", all.offTable);
    printf("  shots with a non-finite state: %ld\n", all.notFinite);
    printf("  shots not at rest within 40 s: %ld\n", all.unrested);
    printf("  balls potted in all: %ld\n", all.potted);
}

} // namespace

int main(int argc, char** argv)
{
    long shots = 10000;
    if (argc > 1) {
        char* end = nullptr;
        shots = strtol(argv[1], &end, 10);
        if (end == argv[1] || *end != '\0' || shots < 0 || shots > 10000000) {
            fprintf(stderr, "usage: baizeline-figures [RANDOM_SHOTS]  (0 to 10000000, default 10000)\n");
            return 2;
        }
    }
    Gravity = static_cast<float>(DefaultGravity);
    Viscosity = static_cast<float>(DefaultViscosity);
    Breaks();
    PocketShots();
    if (shots > 0)
        Faults(shots);
    return 0;
}
