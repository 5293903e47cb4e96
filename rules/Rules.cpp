// CRules: one referee for both games, dispatching to the 8-ball and 9-ball judges.
#include "rules/Rules.h"

#include <type_traits>

#include "rules/EightBall.h"
#include "rules/NineBall.h"

static_assert(std::is_trivially_copyable_v<CRules>,
              "the computer opponent copies CRules per candidate shot: keep it plain data");
static_assert(std::is_trivially_copyable_v<ShotResult>, "ShotResult is plain data");

namespace {

bool IsSide(int side) { return side == 0 || side == 1; }

} // namespace

CRules::CRules(GameKind game)
{
    state.game = game;
    StartRack(state, 0);
}

CRules::CRules(const RackState& saved) : state(saved)
{
    const bool nine = state.game == GameKind::NineBall;
    state.game = nine ? GameKind::NineBall : GameKind::EightBall;
    state.onTable = BallSet(state.onTable & BallsUpTo(nine ? 9 : 15));
    state.turn = IsSide(state.turn) ? state.turn : 0;
    if (state.over && !IsSide(state.winner))
        state.winner = 0;
}

void CRules::NewRack(int breaker) { StartRack(state, breaker); }

ShotResult CRules::Judge(const ShotEvents& events)
{
    if (state.over) {
        ShotResult r;
        r.shooter = r.nextShooter = state.turn;
        r.rackOver = true;
        r.winner = state.winner;
        r.text = "Rack over";
        return r;
    }
    return state.game == GameKind::NineBall ? JudgeNineBall(state, events)
                                            : JudgeEightBall(state, events);
}

Group CRules::GroupOf(int side) const { return IsSide(side) ? state.group[side] : Group::Open; }

BallSet CRules::TargetBalls() const
{
    if (state.over)
        return 0;
    return state.game == GameKind::NineBall ? NineBallTargets(state) : EightBallTargets(state);
}

BallSet CRules::BallsNeeded(int side) const
{
    return state.game == GameKind::NineBall ? NineBallNeeded(state, side)
                                            : EightBallNeeded(state, side);
}

int CRules::FoulsInARow(int side) const { return IsSide(side) ? state.foulsInARow[side] : 0; }
