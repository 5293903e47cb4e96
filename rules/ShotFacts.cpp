// ShotFacts: reading a shot's events and the fouls all games share.
#include "rules/ShotFacts.h"

namespace {

// The cue ball counts for the cushion rule but is never in `onTable`.
bool KnownBall(int ball, BallSet onTable) { return ball == 0 || Has(onTable, ball); }

} // namespace

ShotFacts ReadShot(const ShotEvents& events, BallSet onTable)
{
    ShotFacts facts;
    if (Has(onTable, events.firstContact))
        facts.firstContact = events.firstContact;
    for (const ShotEvents::Pot& pot : events.potted) {
        if (pot.ball == 0)
            facts.cuePotted = true;
        else if (Has(onTable, pot.ball))
            facts.potted = BallSet(facts.potted | BallBit(pot.ball));
    }
    for (int ball : events.cushionsAfterContact)
        if (KnownBall(ball, onTable))
            facts.cushionAfterContact = true;
    BallSet cushioned = 0;
    for (int ball : events.cushionsAtAll)
        if (Has(onTable, ball))
            cushioned = BallSet(cushioned | BallBit(ball));
    facts.ballsToCushion = CountBalls(cushioned);
    return facts;
}

bool BreakRequirementMet(const ShotFacts& facts)
{
    return facts.potted != 0 || facts.ballsToCushion >= 4;
}

Foul CommonFoul(const ShotFacts& facts, BallSet targets)
{
    if (facts.cuePotted)
        return Foul::CuePotted;
    if (facts.firstContact < 1)
        return Foul::NoBallHit;
    if (!Has(targets, facts.firstContact))
        return Foul::WrongBallFirst;
    if (facts.potted == 0 && !facts.cushionAfterContact)
        return Foul::NoCushion;
    return Foul::None;
}
