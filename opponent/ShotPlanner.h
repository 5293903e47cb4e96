// ShotPlanner: the computer player's choice of shot, found by playing candidates on copies of the table with the game's own passes.
#pragma once

#include <atomic>

#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "rules/Rules.h"

// The position the computer is asked to play: copies of the game's balls, its
// table state and its referee, taken once every ball rests. The planner never
// sees the live state; the view is all it reads.
struct OpponentView {
    Ball balls[BallSlots] = {};
    PlayTable table;   // its events pointer is not used
    CRules rules;      // Turn() is the side the computer plays for
    bool inHand = false;  // the cue ball waits to be put down (a foul, or a break)
    bool kitchen = false; // ... behind the head string
};

// Copies of the game's state as a view. `inHand` and `kitchen` as the game's
// shot cycle has them (CPlaySession::phase == InHand and Kitchen()).
OpponentView ViewOf(const Ball* balls, const PlayTable& table, const CRules& rules, bool inHand, bool kitchen);

struct OpponentSettings {
    int level = 3;        // 1 easy, 2 medium, 3 hard: the size of the aim and speed errors
    unsigned seed = 1;    // the errors' generator; the same view and seed give the same shot
    int lines = 12;       // pot lines simulated (the easiest first), each at every speed
    int speeds = 3;       // strengths tried per pot line, 1 to 3
    int refine = 4;       // best pot lines tried again with small aim offsets
    int fan = 36;         // headings all round tried when nothing else hits a legal ball first
    int robust = 3;       // best candidates judged again with the aim off by the level's error
    double shotSeconds = 20.0; // simulated play per candidate before it is judged as it lies
};

// What the computer plays. The game puts the cue ball at `cue` when `place`
// (the placement was checked against the view), then strikes it with
// ShotVelocity(angle, strength), the cue's own convention.
struct OpponentShot {
    bool place = false;
    vec3 cue;
    float angle = 180.0f;     // degrees, the heading as played (aim error included)
    float strength = 60.0f;   // scene units per second, 20 to 150, as played
    float plannedAngle = 180.0f;
    float plannedStrength = 60.0f;
    int target = -1;  // ball number it meant to pot, -1 for a safety or a break
    int pocket = -1;  // and where
    float score = 0.0f;   // the planned shot's value as simulated
    int simulated = 0;    // candidate shots played out
    bool legalFound = false; // some candidate made a legal first contact

    vec3 Velocity() const;
};

// Chooses and plays the shot for the side to play in `view`. Always answers a
// shot, even on a table with no legal contact. A set `cancel` stops the search
// early (the answer is then a shot, but not a considered one). Reads only its
// arguments and the physics' constants: safe on a worker thread while the game
// runs its own passes.
OpponentShot ChooseShot(const OpponentView& view, const OpponentSettings& settings,
                        const std::atomic<bool>* cancel = nullptr);

// The standard deviations of the aim (degrees) and of the strength (a fraction
// of it) at `level` (clamped to 1 to 3).
float AimErrorDegrees(int level);
float StrengthError(int level);
