// CMatch: the referee's verdict turned into moves of the balls and of the shot cycle.
#include "play/Match.h"

#include <algorithm>

const char* OpponentName(int level)
{
    static const char* const names[] = {"a second player", "the computer, easy",
                                        "the computer, medium", "the computer, hard"};
    return names[std::clamp(level, 0, 3)];
}

void CMatch::NewRack(CPlaySession& play, Ball* balls, GameKind game, unsigned seed, int breaker_)
{
    breaker = breaker_ == 1 ? 1 : 0;
    rules = CRules(game);
    rules.NewRack(breaker);
    play.Rack(balls, seed, game == GameKind::NineBall);
    last = ShotResult();
    judged = false;
}

ShotResult CMatch::EndShot(CPlaySession& play, Ball* balls, unsigned seed)
{
    const ShotResult r = rules.Judge(play.events);
    last = r;
    judged = true;
    if (r.reRack) {
        // The referee has restarted the rack already, the incoming side to break.
        breaker = r.nextShooter;
        play.Rack(balls, seed, rules.Game() == GameKind::NineBall);
        return r;
    }
    for (int n = 1; n <= MaxBall; ++n)
        if (Has(r.respot, n))
            play.Respot(balls, n);
    if (r.rackOver)
        return r;
    if (r.ballInHand)
        play.GiveHand(balls, false);
    return r;
}

const char* CMatch::SideName(int side) const
{
    if (local >= 0)
        return side == local ? "You" : "Opponent";
    if (own > 0 && opponent > 0)
        return side == 0 ? "Computer 1" : "Computer 2";
    if (opponent > 0)
        return side == 0 ? "You" : "Computer";
    return side == 0 ? "Player 1" : "Player 2";
}
