// NineBall: lowest ball first, the break, the 9 won or re-spotted, three fouls in a row.
//
// Rule numbers are those of the WPA "Rules of Play" (wpapool.com/rules-of-play).
// Simplifications a home game makes: no push out after the break (2.4); the
// warning a referee gives after a side's second foul in a row (6.14) is the
// game's to show, from CRules::FoulsInARow.
#include "rules/NineBall.h"

#include "rules/ShotFacts.h"

namespace {

const int Nine = 9;

// 2.3: on the break the four-balls-or-a-pot requirement stands in for 6.3,
// and failing it is a foul like any other (ball in hand, table as it lies).
Foul BreakFoul(const ShotFacts& facts, BallSet targets, bool legalBreak)
{
    const Foul foul = CommonFoul(facts, targets);
    if (foul == Foul::NoCushion || foul == Foul::None)
        return legalBreak ? Foul::None : Foul::IllegalBreak;
    return foul;
}

} // namespace

BallSet NineBallTargets(const RackState& s) { return BallBit(LowestBall(s.onTable)); }

BallSet NineBallNeeded(const RackState& s, int side)
{
    return (side == 0 || side == 1) ? s.onTable : BallSet(0);
}

ShotResult JudgeNineBall(RackState& s, const ShotEvents& events)
{
    ShotResult r;
    r.shooter = s.turn;
    r.nextShooter = s.turn;
    const ShotFacts facts = ReadShot(events, s.onTable);
    const BallSet targets = NineBallTargets(s);
    r.firstContact = facts.firstContact;
    r.targets = targets;
    s.onTable = BallSet(s.onTable & ~facts.potted);
    s.ballInHand = false;

    if (s.breakPending) {
        r.wasBreak = true;
        r.legalBreak = BreakRequirementMet(facts);
        r.foul = BreakFoul(facts, targets, r.legalBreak);
        s.breakPending = false;
    } else {
        r.foul = CommonFoul(facts, targets); // 2.7: the standard fouls, 6.1 to 6.3
    }

    const bool nineDown = Has(facts.potted, Nine);
    if (nineDown && !r.IsFoul()) { // 2.5: the 9 potted on any legal shot wins, the break included
        s.over = true;
        s.winner = r.shooter;
        r.rackOver = true;
        r.winner = r.shooter;
        r.text = "9-ball potted";
        return r;
    }
    if (nineDown) { // 2.6: a 9 potted on a foul comes back; no other ball does
        s.onTable = BallSet(s.onTable | BallBit(Nine));
        r.respot = BallBit(Nine);
    }
    if (r.IsFoul()) {
        r.text = FoulText(r.foul);
        if (++s.foulsInARow[r.shooter] >= 3) { // 2.8 and 6.14: the third foul in a row loses
            s.over = true;
            s.winner = 1 - r.shooter;
            r.rackOver = true;
            r.winner = s.winner;
            r.text = "Three fouls in a row";
            return r;
        }
        s.turn = 1 - s.turn;
        s.ballInHand = true; // 2.7: ball in hand anywhere
        r.turnPasses = true;
        r.ballInHand = true;
        r.nextShooter = s.turn;
        return r;
    }
    s.foulsInARow[r.shooter] = 0;
    if (facts.potted == 0) {
        s.turn = 1 - s.turn;
        r.turnPasses = true;
        r.nextShooter = s.turn;
    }
    return r;
}
