// BallSet: a set of object balls as a bit mask, bit n for ball n (1 to 15).
#pragma once

#include <cstdint>

// Bit 0 (the cue ball) is never set: the cue ball always comes back, so the
// rules keep no record of it. A set is a plain 16-bit value, cheap to copy.
using BallSet = std::uint16_t;

constexpr int MaxBall = 15;

constexpr BallSet BallBit(int number)
{
    return (number >= 1 && number <= MaxBall) ? BallSet(1u << number) : BallSet(0);
}
constexpr bool Has(BallSet set, int number) { return (set & BallBit(number)) != 0; }

// Balls 1 to `last`, e.g. a full rack of 8-ball (15) or 9-ball (9).
constexpr BallSet BallsUpTo(int last) { return BallSet(((1u << (last + 1)) - 1u) & ~1u); }

constexpr BallSet SolidBalls = BallsUpTo(7);
constexpr BallSet StripeBalls = BallSet(BallsUpTo(15) & ~BallsUpTo(8));

int CountBalls(BallSet set);
// The lowest-numbered ball in the set, or -1 when it is empty.
int LowestBall(BallSet set);
