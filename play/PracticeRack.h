// PracticeRack: the play modes' tight rack in 8-ball order, and the cue ball's place for a break.
#pragma once

#include "physics/Ball.h"
#include "physics/PlayTable.h"

// Centre distance of neighbouring balls in the rack, m: touching, bar a tenth
// of a millimetre so that the passes see no overlap to push apart.
constexpr float RackSpacing = 2.0f * 0.05f + 0.0001f;

// Centres (metres, on the bed) by ball number: 1 to 15 in a 60° triangle with
// the apex on the foot spot and the base toward the −x end; the 8 in the
// middle of the third row, one solid and one stripe in the back corners, the
// rest shuffled by `seed`. Entry 0, the cue ball, is on the head string's
// centre, where a break starts.
void PracticeRackSpots(unsigned seed, vec3 spots[16]);

// Puts every ball of `balls` (entries 1 to 16, numbered by `table`) on its
// spot, still, unspun and unturned, and nothing potted.
void RackPractice(Ball* balls, PlayTable& table, unsigned seed);
