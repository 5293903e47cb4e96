// GameEvent: what the table game tells its owner, each with its log line.
#pragma once

#include <string>

// The owner (the app's table screen, the simulator, a test) takes these after
// each update, in order: it logs `text` and reacts to the kinds it cares for
// (a strike's sound, a new rack's camera). Contacts are not events: they
// reach a ContactSink handed to the game, pass by pass.
struct GameEvent {
    enum Kind {
        Info,   // a line to log and nothing more
        Racked, // a new rack is on the table (mode change, R, a new opponent, an illegal break)
        OpponentChanged,  // the other side is now someone else
        HandPlaced,       // the cue ball was put down
        HandRefused,      // ... or could not be, `text` says why
        Strike,           // the cue ball was struck: `speed`
        ShotOver,         // every ball rests and every pot has sunk
        Stalled,          // a shot still rolling after StallSeconds was stopped
        Verdict,          // the referee's word on the shot (rules modes)
        ComputerThinking, // the computer's turn began
        ComputerDecided,  // ... it chose its shot (a timing line)
        ComputerAiming,   // ... the cue swings to its aim
        ReplayStarted,
        ReplayOver,
    };
    Kind kind;
    std::string text;   // one log line, without the newline
    float speed = 0.0f; // Strike: the cue ball's speed, m/s
    // The line holds wall-clock figures, different from run to run: a
    // comparison of two runs leaves it out.
    bool timing = false;
};
