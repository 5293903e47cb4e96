// EightBall: break, open table and groups, fouls, and the 8 won or lost.
//
// Rule numbers are those of the WPA "Rules of Play" (wpapool.com/rules-of-play).
// Simplifications a home game makes: no shot is called, the 8 included (1.6 and
// 3.4 ask for calls); an illegal break is always re-racked and broken by the
// incoming side (3.3(d)(2), one of its three options); the 8 potted on the break
// is always re-spotted (3.3(e)(1), 3.3(f)(1)); every foul gives ball in hand
// anywhere, a foul on the break included (1.5).
#include "rules/EightBall.h"

#include "rules/ShotFacts.h"

namespace {

const int Eight = 8;

BallSet GroupBalls(Group g)
{
    return g == Group::Solids ? SolidBalls : g == Group::Stripes ? StripeBalls : BallSet(0);
}

// Balls of `side`'s group that were still on `onTable`; on an open table both groups.
BallSet OwnBalls(const RackState& s, int side, BallSet onTable)
{
    const Group g = s.group[side];
    const BallSet own = g == Group::Open ? BallSet(SolidBalls | StripeBalls) : GroupBalls(g);
    return BallSet(own & onTable);
}

void PassTurn(RackState& s, ShotResult& r, bool ballInHand)
{
    s.turn = 1 - s.turn;
    s.ballInHand = ballInHand;
    r.turnPasses = true;
    r.ballInHand = ballInHand;
    r.nextShooter = s.turn;
}

void EndRack(RackState& s, ShotResult& r, int winner, const char* why)
{
    s.over = true;
    s.winner = winner;
    r.rackOver = true;
    r.winner = winner;
    r.text = why;
}

// 3.3: no ball need be hit first and no ball is called. A legal break that
// pots a ball keeps the breaker at the table with the table still open.
ShotResult JudgeBreak(RackState& s, const ShotFacts& facts, ShotResult r)
{
    r.wasBreak = true;
    r.legalBreak = BreakRequirementMet(facts);
    if (!r.legalBreak) {
        StartRack(s, 1 - r.shooter);
        r.reRack = true;
        r.turnPasses = true;
        r.nextShooter = s.turn;
        r.text = "Illegal break: re-rack";
        return r;
    }
    s.breakPending = false;
    if (Has(facts.potted, Eight)) {
        s.onTable = BallSet(s.onTable | BallBit(Eight));
        r.respot = BallBit(Eight);
    }
    if (facts.cuePotted) {
        r.foul = Foul::CuePotted;
        r.text = FoulText(r.foul);
        PassTurn(s, r, true);
    } else if (facts.potted == 0) {
        PassTurn(s, r, false);
    }
    return r;
}

// 3.4: on an open table the first legal pot decides the groups. Both groups
// down on one shot: the shooter takes the group of the ball the cue ball hit
// first, the ball that was played (with no calls there is nothing better).
Group GroupFromPots(BallSet pots, int firstContact)
{
    const bool solids = (pots & SolidBalls) != 0;
    const bool stripes = (pots & StripeBalls) != 0;
    if (solids && stripes)
        return Has(SolidBalls, firstContact) ? Group::Solids : Group::Stripes;
    return solids ? Group::Solids : Group::Stripes;
}

// 3.8: the 8 down ends the rack. It wins only when the shooter's group was
// already off the table and the shot was not a foul.
void JudgeEightDown(RackState& s, ShotResult& r, BallSet ownBefore, BallSet pots)
{
    const int shooter = r.shooter;
    if (ownBefore != 0) {
        const bool withLast = s.group[shooter] != Group::Open && (ownBefore & ~pots) == 0;
        EndRack(s, r, 1 - shooter,
                withLast ? "8-ball potted with the last of the group" : "8-ball potted early");
    } else if (r.IsFoul()) {
        EndRack(s, r, 1 - shooter, "8-ball potted on a foul");
    } else {
        EndRack(s, r, shooter, "8-ball potted");
    }
}

} // namespace

BallSet EightBallTargets(const RackState& s)
{
    if (s.breakPending)
        return s.onTable;
    const BallSet own = OwnBalls(s, s.turn, s.onTable);
    return own != 0 ? own : BallSet(BallBit(Eight) & s.onTable);
}

BallSet EightBallNeeded(const RackState& s, int side)
{
    if (side != 0 && side != 1)
        return 0;
    return BallSet(OwnBalls(s, side, s.onTable) | (BallBit(Eight) & s.onTable));
}

ShotResult JudgeEightBall(RackState& s, const ShotEvents& events)
{
    ShotResult r;
    r.shooter = s.turn;
    r.nextShooter = s.turn;
    const BallSet before = s.onTable;
    const ShotFacts facts = ReadShot(events, before);
    const BallSet targets = EightBallTargets(s);
    r.firstContact = facts.firstContact;
    r.targets = targets;
    s.onTable = BallSet(before & ~facts.potted);
    s.ballInHand = false;
    if (s.breakPending)
        return JudgeBreak(s, facts, r);

    r.foul = CommonFoul(facts, targets); // 3.9: the standard fouls, 6.1 to 6.3
    const BallSet ownBefore = OwnBalls(s, r.shooter, before);
    if (Has(facts.potted, Eight)) {
        JudgeEightDown(s, r, ownBefore, facts.potted);
        return r;
    }
    if (r.IsFoul()) {
        r.text = FoulText(r.foul);
        PassTurn(s, r, true);
        return r;
    }
    const BallSet ownPots = BallSet(facts.potted & ownBefore);
    if (ownPots == 0) {
        PassTurn(s, r, false);
        return r;
    }
    if (s.group[r.shooter] == Group::Open) {
        const Group g = GroupFromPots(ownPots, facts.firstContact);
        s.group[r.shooter] = g;
        s.group[1 - r.shooter] = g == Group::Solids ? Group::Stripes : Group::Solids;
        r.groupAssigned = g;
    }
    return r;
}
