// ShotFacts: the events of one shot checked against the balls on the table, and the fouls all games share.
#pragma once

#include "physics/ShotEvents.h"
#include "rules/BallSet.h"
#include "rules/ShotResult.h"

// What the referee takes from a ShotEvents record. Entries naming a ball that
// was not on the table before the shot (out of range, already potted, or not
// in this game's rack) are ignored, as are repeats: a faulty record can make a
// wrong verdict but never an out-of-range access or a ball potted twice.
struct ShotFacts {
    BallSet potted = 0;         // object balls that dropped
    bool cuePotted = false;
    int firstContact = -1;      // first object ball the cue ball touched, -1 for none
    bool cushionAfterContact = false; // any ball, the cue ball included, after first contact
    int ballsToCushion = 0;     // distinct object balls that reached a cushion at all
};

ShotFacts ReadShot(const ShotEvents& events, BallSet onTable);

// The break requirement both games share (8-ball 3.3, 9-ball 2.3): a ball
// potted, or at least four object balls driven to a cushion.
bool BreakRequirementMet(const ShotFacts& facts);

// The first of the shared fouls the shot commits, checked in the order a
// referee would name them: cue ball potted (6.1), no ball or a ball outside
// `targets` hit first (6.2), then nothing potted and no ball to a cushion after
// the contact (6.3). Foul::None for a legal shot.
Foul CommonFoul(const ShotFacts& facts, BallSet targets);
