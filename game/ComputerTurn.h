// CComputerTurn: the computer's turn as seen: thinking, the cue swinging and drawing back, strike.
#pragma once

#include <chrono>

#include "opponent/Opponent.h"
#include "play/ShotCommand.h"

// Seconds from the decision: the cue swings to the chosen heading over
// SwingSeconds, draws back to the shot's power over DrawSeconds, and strikes
// at StrikeSeconds. Presentation only: the shot is the same whenever it comes.
constexpr float ComputerSwingSeconds = 0.5f;
constexpr float ComputerDrawSeconds = 0.7f;
constexpr float ComputerStrikeSeconds = 1.4f;

// The table game drives it; it never touches the table itself. Lifetime: a
// decision under way belongs to the position it was started on, and Cancel
// (a new rack, the game's end) abandons it before that position goes.
class CComputerTurn {
public:
    enum Stage { Idle, Thinking, Aiming };

    // Starts a decision on a copy of the position (the worker's alone).
    void Think(const OpponentView& view, const OpponentSettings& settings);
    // Thinking: whether the decision is ready; with `wait` it is waited for
    // (headless owners: the simulator, the tests). On true, Shot() holds it
    // and the turn is Idle until BeginAim.
    bool Decided(bool wait);
    // The cue starts swinging from `fromHeading` degrees to the shot's heading.
    void BeginAim(float fromHeading);
    // Aiming: `seconds` of the show pass; answers true once the cue strikes
    // (the turn is then Idle).
    bool AdvanceAim(float seconds);
    // Stops a decision under way or an aim; Idle after.
    void Cancel();

    Stage State() const { return stage; }
    const OpponentShot& Shot() const { return shot; }
    // The shot as a command; `hand` is where the cue ball waits when `inHand`
    // and the planner named no place of its own.
    ShotCommand Command(bool inHand, const vec3& hand) const;
    // While aiming: the cue's heading (degrees) and power as drawn.
    float CueHeading() const;
    float CuePower() const;
    // The last decision: wall-clock seconds the worker took, frames (Decided
    // calls) and wall-clock seconds from Think to the answer.
    double WorkSeconds() const { return opponent.Seconds(); }
    int ThinkFrames() const { return thinkFrames; }
    double WaitedSeconds() const { return waited; }

private:
    COpponent opponent;
    Stage stage = Idle;
    OpponentShot shot;
    float age = 0.0f;     // seconds into the aim
    float aimFrom = 0.0f; // degrees
    int thinkFrames = 0;
    double waited = 0.0;
    std::chrono::steady_clock::time_point begin;
};
