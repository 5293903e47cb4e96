// RunShot: racks the level's sixteen balls, strikes the cue ball and runs frames until all rest.
#pragma once

#include <array>
#include <vector>

#include "physics/CueStrike.h"
#include "physics/ShotEvents.h"
#include "physics/Vec3.h"

constexpr int SimBalls = 16;
constexpr double SimFrameSeconds = 1.0 / 60.0;
constexpr int SimPassesPerFrame = 25;
constexpr float SimRestSpeed = 0.001f; // m/s, horizontal

struct ShotSettings {
    float angle = 180.0f;     // degrees, as the cue gives it (180 points at the rack)
    float strength = 150.0f;  // scene units per second, 20 to 150 in the game
    double maxSeconds = 120.0; // simulated time limit
    bool record = false;      // keep every frame's positions in `track`
    int mode = 0;             // 0 the free table; 1 practice: tight rack, pockets, play materials
    unsigned seed = 1;        // practice: the rack's shuffle
    bool spin = false;        // strike off centre at `strike`; without it the ball gets no spin
    StrikePoint strike;       // ball radii, clamped by the strike
};

// Entry k of the arrays is physics ball k + 1, that is the (k + 1)-th scene list entry.
struct SimShotResult {
    int frames = 0;      // frames run after the strike
    bool atRest = false; // every ball below SimRestSpeed after the last frame
    std::array<int, SimBalls> number{};   // ball number of each entry (0 the cue ball)
    std::array<float, SimBalls> topSpeed{}; // m/s, highest horizontal speed seen after a frame
    std::array<vec3, SimBalls> start{};   // m, positions at the strike
    std::array<vec3, SimBalls> final{};   // m, positions after the last frame
    std::vector<std::array<vec3, SimBalls>> track; // m, frame 0 is the strike; only when recording
    int offTableFrame = -1; // first frame with a centre past a cushion plane or under the bed
    int offTableBall = -1;  // its entry
    int nanFrame = -1;      // first frame with a non-finite position, velocity or spin
    int nanBall = -1;
    // Practice only: what the shot did, and the frame each entry dropped (−1: it did not).
    bool pockets = false;
    ShotEvents events;
    std::array<int, SimBalls> potFrame{};
};

// Uses the application's object list and the global physics state, as the game
// does; both are replaced. Gravity and Viscosity are set to the game's defaults.
// Practice runs on the global `ball` with a pocket table, as the game's play
// modes do; the cue ball starts on the head string.
SimShotResult RunShot(const ShotSettings& settings);
