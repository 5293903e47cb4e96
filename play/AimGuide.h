// CAimGuide: the aiming guide's prediction: the game's own passes run on a copy of the balls and the table.
#pragma once

#include <vector>

#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "physics/ShotEvents.h"
#include "play/ShotCommand.h"

// [Game] AimGuide: what the guide shows.
enum {
    AimGuideOff = 0,
    AimGuideContact = 1, // ghost ball and first-contact lines
    AimGuidePaths = 2,   // also every moving ball's path over the first second
};

// Computer opponents of the rules modes, weakest first.
// Numbered as [Game] Opponent numbers them: 0 a second person, 1 to 3 the computer.
enum { OpponentPerson = 0, OpponentEasy = 1, OpponentMedium = 2, OpponentHard = 3 };

// The guide without the key: none on the free table (mode 0), ghost and lines
// in practice and against an easy or medium opponent, none against a hard one.
int DefaultAimGuide(int mode, int opponentLevel);
// [Game] AimGuide as read (`configured`, −1 when the key is absent) for `mode`:
// the default when absent, else clamped to 0..2; always off on the free table.
int AimGuideLevel(int mode, int opponentLevel, int configured);

// Seconds of play over which paths are shown, and the longest a prediction
// looks for the cue ball's first contact.
constexpr double GuidePathSeconds = 1.0;
constexpr double GuideContactSeconds = 3.0;

// What the shot does in its first moments, in the physics' frame (metres).
struct AimPrediction {
    int target = -1;  // entry the cue ball touches first, or −1 (none within GuideContactSeconds)
    vec3 ghost;       // the cue ball's centre when it first touches `target`
    vec3 targetAt;    // `target`'s centre at that moment
    vec3 cueAfter;    // the cue ball's velocity just after the contact, m/s
    vec3 targetAfter; // `target`'s velocity just after it, m/s
    // Without a contact: where the cue ball first met a cushion, or where
    // the prediction stopped.
    vec3 cueStop;
    // AimGuidePaths: for each entry, its centre after each 1/60 s frame of the
    // first second (the first point is where it starts); empty for the others.
    std::vector<vec3> path[BallSlots];
};

// The prediction runs in slices of whole frames so that a frame of the game
// pays for a bounded part of it; the last complete result stays on show
// while a new one is computed.
class CAimGuide {
public:
    // Starts predicting: `balls` and `table` are copied (the table headless,
    // so nothing records or sounds), and entry `cue` leaves with `velocity`
    // m/s and `spin` rad/s, as the strike would give it. `level` is 1 or 2.
    void Begin(const Ball* balls, const PlayTable& table, int cue, vec3 velocity, vec3 spin, int level);
    // The same for a shot command, struck as the table game strikes it (ApplyShot).
    void Begin(const Ball* balls, const PlayTable& table, int cue, const ShotCommand& shot,
               int level);
    // Runs at most `frames` more frames of 1/60 s; answers whether the
    // prediction is complete (then Shown() is it).
    bool Step(int frames);
    bool Busy() const { return busy; }
    // Forgets every prediction: nothing is shown until the next completes.
    void Reset();
    // The last complete prediction, or null.
    const AimPrediction* Shown() const { return hasShown ? &shown : nullptr; }

private:
    void Pass();
    bool Finished() const;

    Ball balls[BallSlots] = {};
    PlayTable table;
    ShotEvents events;
    int cue = 0;
    int level = AimGuideContact;
    int frame = 0;
    bool cushionSeen = false;
    bool busy = false;
    bool hasShown = false;
    AimPrediction working;
    AimPrediction shown;
};

// A whole prediction at once (the tests and the benchmark).
AimPrediction PredictShot(const Ball* balls, const PlayTable& table, int cue, vec3 velocity, vec3 spin, int level);
AimPrediction PredictShot(const Ball* balls, const PlayTable& table, int cue,
                          const ShotCommand& shot, int level);
