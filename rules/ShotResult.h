// ShotResult: the referee's verdict on one shot, for the game, the HUD and the computer opponent.
#pragma once

#include "rules/BallSet.h"

// Why a shot was a foul. The numbers in the comments are the fouls of the
// WPA "Rules of Play" (wpapool.com/rules-of-play) that each one follows.
enum class Foul {
    None,
    CuePotted,      // 6.1 Cue Ball Scratch
    NoBallHit,      // 6.2 Wrong Ball First: the cue ball touched no object ball
    WrongBallFirst, // 6.2 Wrong Ball First: it touched one that was not a target
    NoCushion,      // 6.3 No Rail after Contact, nothing potted
    IllegalBreak,   // 9-ball 2.3: a break that neither potted nor drove four balls to a cushion
};

// A short line for the HUD, e.g. "Foul: cue ball potted"; "" for Foul::None.
// The text is a string literal: it lives for the whole program.
const char* FoulText(Foul foul);

// 8-ball groups; Open until a legal pot after the break decides them.
enum class Group { Open, Solids, Stripes };
// "solids", "stripes", "open table": a string literal.
const char* GroupName(Group g);

// Plain data, trivially copyable: every text points to a string literal.
struct ShotResult {
    int shooter = 0;     // side that played the shot, 0 or 1
    int nextShooter = 0; // side to play next (after a re-rack: the side that breaks)
    bool turnPasses = false;

    bool wasBreak = false;   // the shot was the opening break of the rack
    bool legalBreak = false; // ... and it potted a ball or drove four to a cushion

    Foul foul = Foul::None;
    bool ballInHand = false; // nextShooter places the cue ball anywhere on the table
    bool reRack = false;     // the balls go back in the rack and nextShooter breaks
    BallSet respot = 0;      // potted balls the game puts back on the foot spot

    // What the cue ball met first (-1 none) and the balls it might legally
    // have met first: the HUD names them in a foul.
    int firstContact = -1;
    BallSet targets = 0;

    // The shooter's group when this shot decided the groups, else Group::Open.
    Group groupAssigned = Group::Open;

    bool rackOver = false;
    int winner = -1; // 0 or 1 when rackOver

    // One line for the HUD: the foul, the end of the rack or the break's fate;
    // "" for an ordinary shot. Points to a string literal.
    const char* text = "";

    bool IsFoul() const { return foul != Foul::None; }
};
