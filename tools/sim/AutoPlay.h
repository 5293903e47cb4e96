// AutoPlay: whole racks played computer against computer, headless, and the figures of each level.
#pragma once

#include <cstdio>
#include <vector>

struct AutoPlaySettings {
    int mode = 2;            // 2 8-ball, 3 9-ball
    int racks = 10;          // per level
    std::vector<int> levels = {1, 2, 3};
    unsigned seed = 1;       // rack shuffles and the players' errors
    int visitLimit = 60;     // a rack counts as finished when won within this many visits
    int shotLimit = 400;     // a rack still on after this many shots is abandoned
};

// Plays the racks, both sides at one level, one level after another, and
// prints a table per level to `out` (progress lines to `progress` when not
// null). Answers 0, or 1 when some shot did not come to rest within a minute
// of play or a ball left the table (the passes' faults).
int RunAutoPlay(const AutoPlaySettings& settings, FILE* out, FILE* progress);
