// ShotEvents: what one shot did, as the physics saw it; the rules judge a shot from this alone.
#pragma once

#include <vector>

// Ball numbers are 0 for the cue ball and 1 to 15 for the object balls; pockets
// are numbered 0 to 5 in the table geometry's order. The play modes clear the
// record when the cue ball is struck and the passes fill it until every ball
// rests; the free table never records.
struct ShotEvents {
    // The first object ball the cue ball touched, or -1 when it touched none.
    int firstContact = -1;
    // Balls, cue ball included, that reached a cushion after the first contact,
    // each listed once in the order they first got there.
    std::vector<int> cushionsAfterContact;
    // Any ball, cue ball included, that reached a cushion at any time in the shot
    // (a break is judged on how many object balls got there).
    std::vector<int> cushionsAtAll;
    struct Pot {
        int ball;   // 0 to 15
        int pocket; // 0 to 5
    };
    // Balls that dropped, in the order they dropped (the cue ball included).
    std::vector<Pot> potted;

    void Clear() { *this = ShotEvents(); }
    bool CuePotted() const
    {
        for (const Pot& p : potted)
            if (p.ball == 0)
                return true;
        return false;
    }
};
