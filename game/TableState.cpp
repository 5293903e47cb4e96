// TableState: the checks that a position from outside (another machine) may be taken.
#include "game/TableState.h"

#include <cmath>

#include "game/GameMode.h"
#include "physics/TableGeometry.h"
#include "play/PlaySession.h"

namespace {

// Every ball's centre lies within this of the bed's centre, m, on every axis:
// the table, the tray and 9-ball's parked balls fit with room to spare.
constexpr float FarMetres = 10.0f;
// A resting table's speeds stay far below this, m/s and rad/s.
constexpr float FastestAtRest = 50.0f;
constexpr float FastestSpinAtRest = 5000.0f;

bool Within(const vec3& v, float limit)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) &&
           std::fabs(v.x) <= limit && std::fabs(v.y) <= limit && std::fabs(v.z) <= limit;
}

bool Fail(std::string& why, const std::string& text)
{
    why = text;
    return false;
}

} // namespace

bool TableStateValid(const TableState& s, std::string& why)
{
    if (s.mode != ModePractice && !RulesMode(s.mode))
        return Fail(why, "unknown game " + std::to_string(s.mode));
    if (s.draws > MaxGeneratorDraws)
        return Fail(why, "generator drawn too often");
    if ((s.nextBreaker != 0 && s.nextBreaker != 1) || (s.breaker != 0 && s.breaker != 1))
        return Fail(why, "breaker not a side");
    if (s.phase != CPlaySession::Aim && s.phase != CPlaySession::InHand)
        return Fail(why, "the balls are not at rest");
    if (s.shots < 0 || s.shots > 1000000)
        return Fail(why, "shot count out of range");
    if (!Within(s.hand, FarMetres))
        return Fail(why, "hand off the table");
    bool seen[BallSlots] = {};
    for (int k = FirstBall; k <= LastBall; ++k) {
        const int n = s.number[k];
        if (n < 0 || n > MaxBall || seen[n])
            return Fail(why, "entry " + std::to_string(k) + " holds no ball of its own");
        seen[n] = true;
        if (s.pocket[k] < -1 || s.pocket[k] >= PocketCount)
            return Fail(why, "entry " + std::to_string(k) + " in no pocket");
        if (!Within(s.position[k], FarMetres) || !Within(s.velocity[k], FastestAtRest) ||
            !Within(s.rotation[k], 7.0f) || !Within(s.spin[k], FastestSpinAtRest))
            return Fail(why, "entry " + std::to_string(k) + " off the table or moving");
    }
    if (s.cueEntry < FirstBall || s.cueEntry > LastBall || s.number[s.cueEntry] != 0)
        return Fail(why, "the cue ball's entry holds another ball");
    if (s.tray.size() > static_cast<size_t>(MaxBall))
        return Fail(why, "tray too long");
    bool inTray[MaxBall + 1] = {};
    for (int n : s.tray) {
        if (n < 1 || n > MaxBall || inTray[n])
            return Fail(why, "tray holds ball " + std::to_string(n));
        inTray[n] = true;
    }
    const RackState& r = s.rack;
    if (r.game != GameKind::EightBall && r.game != GameKind::NineBall)
        return Fail(why, "unknown rack");
    if (RulesMode(s.mode) && (r.game == GameKind::NineBall) != (s.mode == ModeNineBall))
        return Fail(why, "the rack is of another game");
    if ((r.onTable & ~BallsUpTo(MaxBall)) != 0)
        return Fail(why, "ball set out of range");
    if (r.turn != 0 && r.turn != 1)
        return Fail(why, "turn not a side");
    for (int side = 0; side < 2; ++side) {
        if (r.group[side] != Group::Open && r.group[side] != Group::Solids &&
            r.group[side] != Group::Stripes)
            return Fail(why, "unknown group");
        if (r.foulsInARow[side] < 0 || r.foulsInARow[side] > 3)
            return Fail(why, "foul count out of range");
    }
    if (r.winner < -1 || r.winner > 1 || (r.over && r.winner < 0))
        return Fail(why, "winner not a side");
    return true;
}
