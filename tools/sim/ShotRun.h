// RunShot: a rack, a strike and the run to rest: the free table's own frames, or practice.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "physics/CueStrike.h"
#include "physics/ShotEvents.h"
#include "physics/Vec3.h"

constexpr int SimBalls = 16;
constexpr double SimFrameSeconds = 1.0 / 60.0;
constexpr int SimPassesPerFrame = 25;
constexpr float SimRestSpeed = 0.001f; // m/s, horizontal
// The play modes' frame loop: frames a second handed to the table game. Its
// fixed steps make the outcome the same at any of these rates.
constexpr double SimFrameRate = 60.0;
constexpr double SimMinFrameRate = 30.0;
constexpr double SimMaxFrameRate = 250.0;

struct ShotSettings {
    float angle = 180.0f;     // degrees, as the cue gives it (180 points at the rack)
    float strength = 150.0f;  // scene units per second, 20 to 150 in the game
    double maxSeconds = 120.0; // simulated time limit
    bool record = false;      // keep every frame's positions in `track`
    int mode = 0;             // 0 the free table; 1 practice: tight rack, pockets, play materials
    unsigned seed = 1;        // practice: the table game's seed, which shuffles its rack
    bool spin = false;        // strike off centre at `strike`; without it the ball gets no spin
    StrikePoint strike;       // ball radii, clamped by the strike
    double frameRate = SimFrameRate; // practice: frames a second the table game is updated at
};

// Entry k of the arrays is physics ball k + 1, that is the (k + 1)-th scene list entry.
// Practice counts the table game's fixed steps of 1/60 s where the free table
// counts its frames, so that its figures are the same at any frame rate.
struct SimShotResult {
    int frames = 0;      // frames (practice: steps) run after the strike
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
    // Practice only: what the shot did, and the step each entry dropped (−1: it did not).
    bool pockets = false;
    ShotEvents events;
    std::array<int, SimBalls> potFrame{};
    bool steps = false;            // `frames` and the record count fixed steps: practice
    bool refused = false;          // the table game would not take the shot: nothing was played
    bool stalled = false;          // the table game stopped the shot after StallSeconds of play
    std::vector<std::string> log;  // the table game's event lines, timing lines left out
    std::uint64_t fingerprint = 0; // CFingerprint of every step's balls and the log
    int updates = 0;               // frames handed to the table game (depends on the frame rate)
    double wallSeconds = 0.0;      // how long they took
};

// Uses the application's object list and the global physics state, as the game
// does; both are replaced. Gravity and Viscosity are set to the game's defaults.
// Practice (mode 1) goes to RunPracticeShot.
SimShotResult RunShot(const ShotSettings& settings);

// Practice as the game plays it: a table game seeded with `seed` racks, the
// cue ball goes down on the head string and is struck by a shot command, and
// frames of 1 / frameRate s run until the game calls the shot over. The record
// (track, top speeds, faults, pots) is taken after every fixed step, so it is
// the same at any frame rate; it stops at `maxSeconds` of play.
SimShotResult RunPracticeShot(const ShotSettings& settings);
