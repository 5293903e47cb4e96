// AutoPlay: whole racks computer against computer through the table game, figures per level.
#pragma once

#include <cstdio>
#include <vector>

struct AutoPlaySettings {
    int mode = 2;            // 2 8-ball, 3 9-ball
    int racks = 10;          // per level
    std::vector<int> levels = {1, 2, 3};
    unsigned seed = 1;       // rack r (from 0) is a table game seeded seed + r
    int visitLimit = 60;     // a rack counts as finished when won within this many visits
    int shotLimit = 400;     // a rack still on after this many shots is abandoned
    double frameRate = 60.0; // frames a second handed to the table game
};

// Plays the racks, both sides at one level, one level after another, each a
// table game of its own with the computer on both sides, updated frame by
// frame as the game's loop does. Prints a table per level to `out` (progress
// lines to `progress` when not null); lines holding wall-clock figures start
// with "timing:", and the rest is the same at any frame rate. Answers 0, or 1
// when some shot did not come to rest within a minute of play, a ball left
// the table, or the table game refused a decision of the computer.
int RunAutoPlay(const AutoPlaySettings& settings, FILE* out, FILE* progress);
