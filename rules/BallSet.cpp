// BallSet: counting and the lowest ball of a set.
#include "rules/BallSet.h"

int CountBalls(BallSet set)
{
    int n = 0;
    for (; set != 0; set = BallSet(set & (set - 1)))
        ++n;
    return n;
}

int LowestBall(BallSet set)
{
    for (int ball = 1; ball <= MaxBall; ++ball)
        if (Has(set, ball))
            return ball;
    return -1;
}
