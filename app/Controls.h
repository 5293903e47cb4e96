// Controls: one table of the inputs: each action's keys in each mode, and its help line.
#pragma once

#include <SDL.h>

#include <vector>

// What a key press asks for; the shell and the screens act on these, never on keys.
enum class Action {
    None,
    Quit,      // the free table's Escape: quit at once
    Menu,      // M everywhere, Escape in the play modes
    Credits,   // A
    Lighting,  // L
    Help,      // F1
    Rerack,    // R
    FreeTable, // F2 to F5: the modes
    Practice,
    EightBall,
    NineBall,
    Opponent,   // O: the next opponent, a new rack
    TopView,    // T
    CancelAim,  // C (the middle button too)
    Replay,     // P
    ReplaySlow, // Shift+P
    StrikeUp,   // the spin keys
    StrikeDown,
    StrikeLeft,
    StrikeRight,
    StrikeCentre,
    Confirm, // Y: yes to the question on show (throw the rack away?)
    Decline, // N: no
};

// Where a control acts: one bit per mode ([Game] Mode numbers them).
constexpr unsigned OnFreeTable = 1u << 0;
constexpr unsigned OnPractice = 1u << 1;
constexpr unsigned OnEightBall = 1u << 2;
constexpr unsigned OnNineBall = 1u << 3;
constexpr unsigned OnRules = OnEightBall | OnNineBall;
constexpr unsigned OnPlay = OnPractice | OnRules;
constexpr unsigned OnEvery = OnFreeTable | OnPlay;
unsigned ModeBit(int mode);

// One line of the help and the keys behind it. Static ASCII strings, never freed.
struct Control {
    const char* keys;   // the input as the help names it
    const char* effect; // what it does
    unsigned modes;     // where it is listed and acts
    // Up to four keys that raise `action` (SDLK_UNKNOWN ends the list; none
    // for mouse lines and held keys, which the screens read themselves).
    SDLKey key[4];
    Action action;
    bool shift = false;  // only with Shift held; a key without it then means the plain action
    bool arrows = false; // arrow keys, which the free camera takes for itself
};

// The whole table, in the order the help lists it.
const std::vector<Control>& Controls();

// The action `key` raises in `mode` (Shift held or not); None when it is bound
// to nothing there. `arrow` says the binding is an arrow key the free camera keeps.
Action KeyAction(SDLKey key, bool shift, int mode, bool* arrow = nullptr);
