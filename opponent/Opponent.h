// COpponent: the computer player thinking on a worker thread while the game keeps drawing.
#pragma once

#include <atomic>
#include <thread>

#include "opponent/ShotPlanner.h"

// The game drives it once per decision:
//   Start(ViewOf(...), settings) when the computer's turn begins and every ball
//   rests; then each frame Ready() until it answers true; then Take() for the
//   shot to place, aim and strike. Cancel() (a re-rack, a mode change, quitting)
//   abandons a decision without waiting for it. Nothing here touches the game's
//   own state: the view is a copy, the answer a plain value.
class COpponent {
public:
    COpponent() = default;
    ~COpponent();
    COpponent(const COpponent&) = delete;
    COpponent& operator=(const COpponent&) = delete;

    // Begins a decision on `view`, abandoning one still under way.
    void Start(const OpponentView& view, const OpponentSettings& settings);
    // A decision was started and its shot is ready to take.
    bool Ready() const;
    // Whether a decision is under way or waiting to be taken.
    bool Busy() const { return worker.joinable(); }
    // The decided shot; waits for it if not Ready(). After Take() the opponent is idle.
    // Without a started decision it answers a default shot.
    OpponentShot Take();
    // Stops a decision under way and forgets it; returns once the worker has ended.
    void Cancel();
    // Wall-clock seconds the last taken decision took.
    double Seconds() const { return seconds; }

private:
    std::thread worker;
    std::atomic<bool> ready{false};
    std::atomic<bool> cancel{false};
    // Written by the worker before `ready` is set, read after it is seen.
    OpponentView view;
    OpponentSettings settings;
    OpponentShot shot;
    double workSeconds = 0.0;
    double seconds = 0.0;
};
