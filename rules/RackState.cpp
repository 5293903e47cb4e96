// RackState: a fresh rack.
#include "rules/RackState.h"

void StartRack(RackState& s, int breaker)
{
    const GameKind game = s.game;
    s = RackState();
    s.game = game;
    s.onTable = BallsUpTo(game == GameKind::NineBall ? 9 : 15);
    s.turn = breaker == 1 ? 1 : 0;
}
