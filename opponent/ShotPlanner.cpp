// ShotPlanner: candidate shots from ghost-ball lines, each played out on a copy of the table and judged by a copy of the referee.
#include "opponent/ShotPlanner.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "opponent/TableReading.h"
#include "physics/TableGeometry.h"
#include "physics/Units.h"
#include "play/BallInHand.h"
#include "physics/Simulation.h"
#include "play/PlayShot.h"

namespace {

// Cue strengths of the game's cue, scene units per second (20 to 150).
constexpr float MinStrength = 20.0f;
constexpr float MaxStrength = 150.0f;
constexpr float BreakStrength = 150.0f;
constexpr float SafetyStrength = 55.0f;
constexpr float FanStrength = 60.0f;
// Where a ball in hand goes for a straight pot: this far behind the ghost ball, m.
constexpr float HandDistance = 0.25f;
// Aim offsets tried around the best pot lines, as fractions of the widest
// offset that still sends the object ball into the mouth: the ghost-ball line
// ignores the throw of ball-to-ball friction, and a thicker or thinner hit
// sends the cue ball elsewhere (off a line that would follow it in).
constexpr float RefineOffsets[] = {-1.0f, -0.5f, 0.5f, 1.0f};
// How far off the pocket's centre line an object ball may go and still drop, m.
constexpr float MouthSlack = 0.035f;

// Values of outcomes: a won rack outweighs everything, a foul (ball in hand to
// the other side) is worse than any legal miss, a kept turn better than any
// miss; the ease of the next pot separates shots of one kind.
constexpr float WinValue = 1000.0f;
constexpr float FoulValue = -300.0f;
constexpr float NoContactPenalty = -100.0f;
constexpr float KeepTurnValue = 200.0f;
constexpr float PerPotValue = 10.0f;
constexpr float EaseValue = 100.0f;
constexpr float LineEaseValue = 100.0f;

struct Candidate {
    int spot = 0;      // index into the cue ball positions
    float angle = 0.0f;
    float strength = 0.0f;
    int target = -1;   // ball number of a pot line, −1 otherwise
    int pocket = -1;
    float ease = 0.0f; // the line's ease, for ordering
    float spread = 0.0f; // pot lines: the widest aim offset that still pots, degrees
    float score = 0.0f;
    bool legal = false;
};

float StrengthFor(int i, int speeds)
{
    static const float one[] = {65.0f};
    static const float two[] = {45.0f, 90.0f};
    static const float three[] = {40.0f, 65.0f, 100.0f};
    return speeds <= 1 ? one[0] : speeds == 2 ? two[i] : three[i];
}

class CSearch {
public:
    CSearch(const OpponentView& v, const OpponentSettings& s, const std::atomic<bool>* c)
        : view(v), settings(s), cancel(c), cue(v.table.EntryOf(0)), me(v.rules.Turn()),
          targets(v.rules.TargetBalls())
    {
    }

    OpponentShot Run();

private:
    bool Cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }
    // The view's balls with the cue ball on the cloth at `at`.
    void Setup(const vec3& at, Ball* balls, PlayTable& table) const;
    void Evaluate(Candidate& c);
    float Score(const ShotEvents& events, const Ball* balls, const PlayTable& table) const;
    void CueSpots();
    void BreakCandidates();
    void LineCandidates();
    void SafetyCandidates();
    void FanCandidates();
    void Refine();
    const Candidate& Robust();

    const OpponentView& view;
    const OpponentSettings& settings;
    const std::atomic<bool>* cancel;
    const int cue;
    const int me;
    const BallSet targets;
    std::vector<vec3> spots;
    std::vector<Candidate> done;
    int simulated = 0;
    bool legalFound = false;
};

void CSearch::Setup(const vec3& at, Ball* balls, PlayTable& table) const
{
    std::copy(view.balls, view.balls + BallSlots, balls);
    table = view.table;
    table.events = nullptr;
    Ball& c = balls[cue];
    c.position = vec3(at.x, at.y, BallRadius);
    c.velocity = vec3();
    c.angularVelocity = vec3();
    table.potted[cue] = false;
    table.pocket[cue] = -1;
}

float CSearch::Score(const ShotEvents& events, const Ball* balls, const PlayTable& table) const
{
    CRules rules = view.rules;
    const ShotResult r = rules.Judge(events);
    if (r.rackOver)
        return r.winner == me ? WinValue : -WinValue;
    if (r.reRack || r.IsFoul())
        return FoulValue + (events.firstContact < 0 ? NoContactPenalty : 0.0f);
    const float ease = table.potted[cue] ? 0.0f : PotEase(balls, table, cue, rules.TargetBalls());
    if (r.turnPasses)
        return -EaseValue * ease; // what the other side is left
    int pots = 0;
    for (const ShotEvents::Pot& p : events.potted)
        pots += p.ball != 0;
    return KeepTurnValue + PerPotValue * pots + EaseValue * ease;
}

void CSearch::Evaluate(Candidate& c)
{
    Ball balls[BallSlots];
    PlayTable table;
    Setup(spots[c.spot], balls, table);
    ShotEvents events;
    table.events = &events;
    balls[cue].velocity = ShotVelocity(c.angle, c.strength);
    // Frames as the game runs them, until every ball rests or the shot is
    // certainly a foul (the cue ball down, or a wrong ball hit first): how
    // the rest of a foul rolls out changes little in its value.
    const int frames = static_cast<int>(settings.shotSeconds / PlayFrameSeconds + 0.5);
    for (int n = 1; n <= frames; ++n) {
        Start(balls, table, PlayFrameSeconds, PlayPassesPerFrame);
        if (table.Resting(balls, PlayRestSpeed) || table.potted[cue] ||
            (events.firstContact >= 0 && !Has(targets, events.firstContact)))
            break;
    }
    ++simulated;
    c.legal = events.firstContact >= 0 && Has(targets, events.firstContact);
    legalFound = legalFound || c.legal;
    c.score = Score(events, balls, table);
    // Of two shots that both keep the table, the easier pot goes in more often
    // when struck with the level's error.
    if (c.score >= KeepTurnValue)
        c.score += LineEaseValue * c.ease;
}

// Spots the cue ball may take: where it lies, or in hand a spot straight
// behind each pot worth having, else the first free spot of a coarse grid.
void CSearch::CueSpots()
{
    if (!view.inHand && !view.table.potted[cue]) {
        spots.push_back(view.balls[cue].position);
        return;
    }
    const bool kitchen = view.kitchen;
    if (view.rules.BreakPending()) {
        for (float y : {0.0f, 0.15f, -0.15f})
            if (CheckPlacement(view.balls, view.table, cue, HeadStringX, y, kitchen) == Placement::Allowed)
                spots.push_back(vec3(HeadStringX, y, BallRadius));
    }
    struct Spot {
        vec3 at;
        float ease;
    };
    std::vector<Spot> found;
    for (int k = FirstBall; k <= LastBall && !view.rules.BreakPending(); ++k) {
        if (k == cue || view.table.potted[k] || !Has(targets, view.table.number[k]))
            continue;
        const vec3& o = view.balls[k].position;
        for (int p = 0; p < PocketCount; ++p) {
            const float px = PocketCentreX(p), py = PocketCentreY(p);
            const float len = std::hypot(px - o.x, py - o.y);
            const float ux = (px - o.x) / len, uy = (py - o.y) / len;
            if (MiddlePocket(p) && std::fabs(uy) < 0.5f)
                continue;
            const float back = 2.0f * BallRadius + HandDistance;
            const float x = o.x - back * ux, y = o.y - back * uy;
            if (CheckPlacement(view.balls, view.table, cue, x, y, kitchen) != Placement::Allowed)
                continue;
            if (PathBlocked(view.balls, view.table, x, y, o.x, o.y, cue, k) ||
                PathBlocked(view.balls, view.table, o.x, o.y, px, py, cue, k))
                continue;
            found.push_back({vec3(x, y, BallRadius), 1.0f / (1.0f + 1.5f * (HandDistance + len))});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Spot& a, const Spot& b) { return a.ease > b.ease; });
    for (size_t i = 0; i < found.size() && i < 4; ++i)
        spots.push_back(found[i].at);
    if (!spots.empty())
        return;
    for (float x = CushionX - 0.1f; x > -CushionX && spots.empty(); x -= 0.1f)
        for (float y = 0.0f; y < CushionY && spots.empty(); y += 0.1f)
            for (float sy : {y, -y})
                if (spots.empty() && CheckPlacement(view.balls, view.table, cue, x, sy, kitchen) == Placement::Allowed)
                    spots.push_back(vec3(x, sy, BallRadius));
    if (spots.empty()) // a table packed so full that no grid spot is free: where it waits
        spots.push_back(view.balls[cue].position);
}

// Full strength at the front ball of the rack, from each kitchen spot.
void CSearch::BreakCandidates()
{
    int front = -1;
    for (int k = FirstBall; k <= LastBall; ++k)
        if (k != cue && !view.table.potted[k] && (front < 0 || view.balls[k].position.x > view.balls[front].position.x))
            front = k;
    if (front < 0)
        return;
    const vec3& f = view.balls[front].position;
    for (int i = 0; i < static_cast<int>(spots.size()) && !Cancelled(); ++i) {
        Candidate c;
        c.spot = i;
        c.angle = HeadingDegrees(spots[i].x, spots[i].y, f.x, f.y);
        c.strength = BreakStrength;
        Evaluate(c);
        done.push_back(c);
    }
}

void CSearch::LineCandidates()
{
    std::vector<Candidate> lines;
    for (int i = 0; i < static_cast<int>(spots.size()); ++i) {
        Ball balls[BallSlots];
        PlayTable table;
        Setup(spots[i], balls, table);
        for (int k = FirstBall; k <= LastBall; ++k) {
            if (k == cue || table.potted[k] || !Has(targets, table.number[k]))
                continue;
            for (int p = 0; p < PocketCount; ++p) {
                PotLine line;
                if (!FindPotLine(balls, table, cue, k, p, line) || !line.clear)
                    continue;
                Candidate c;
                c.spot = i;
                c.angle = line.aim;
                c.target = table.number[k];
                c.pocket = p;
                c.ease = LineEase(line);
                // An object ball turned by α drops while α·travel stays inside
                // the slack; the cue ball turns it by about its own offset at
                // the contact over the two radii.
                const float alpha = MouthSlack / std::max(line.objectTravel, MouthSlack);
                const float offset = 2.0f * BallRadius * alpha / std::max(line.cueTravel, 2.0f * BallRadius);
                c.spread = std::clamp(offset * DegreesPerRadianNearest, 0.15f, 2.0f);
                lines.push_back(c);
            }
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const Candidate& a, const Candidate& b) { return a.ease > b.ease; });
    if (static_cast<int>(lines.size()) > settings.lines)
        lines.resize(std::max(settings.lines, 0));
    const int speeds = std::clamp(settings.speeds, 1, 3);
    for (const Candidate& line : lines)
        for (int s = 0; s < speeds && !Cancelled(); ++s) {
            Candidate c = line;
            c.strength = StrengthFor(s, speeds);
            Evaluate(c);
            done.push_back(c);
        }
}

// A plain hit on the middle of each target from the first spot: a legal
// contact whenever some target can be reached in a straight line.
void CSearch::SafetyCandidates()
{
    const vec3 at = spots[0];
    for (int k = FirstBall; k <= LastBall && !Cancelled(); ++k) {
        if (k == cue || view.table.potted[k] || !Has(targets, view.table.number[k]))
            continue;
        const vec3& o = view.balls[k].position;
        if (PathBlocked(view.balls, view.table, at.x, at.y, o.x, o.y, cue, k))
            continue;
        Candidate c;
        c.angle = HeadingDegrees(at.x, at.y, o.x, o.y);
        c.strength = SafetyStrength;
        Evaluate(c);
        done.push_back(c);
    }
}

// No legal contact yet: headings all round, off the cushions as they fall.
void CSearch::FanCandidates()
{
    for (int i = 0; i < settings.fan && !Cancelled(); ++i) {
        Candidate c;
        c.angle = -180.0f + 360.0f * i / settings.fan;
        c.strength = FanStrength;
        Evaluate(c);
        done.push_back(c);
    }
}

bool Better(const Candidate& a, const Candidate& b)
{
    if (a.score != b.score)
        return a.score > b.score;
    return a.ease > b.ease;
}

void CSearch::Refine()
{
    std::vector<Candidate> lines;
    for (const Candidate& c : done)
        if (c.target >= 0)
            lines.push_back(c);
    std::stable_sort(lines.begin(), lines.end(), Better);
    for (int i = 0; i < settings.refine && i < static_cast<int>(lines.size()); ++i)
        for (float offset : RefineOffsets) {
            if (Cancelled())
                return;
            Candidate c = lines[i];
            c.angle += offset * c.spread;
            Evaluate(c);
            done.push_back(c);
        }
}

// The best few again with the aim off by the level's error either way: a shot
// that only works when struck perfectly is worth less to a player who misses.
const Candidate& CSearch::Robust()
{
    std::vector<int> order(done.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Better(done[a], done[b]); });
    const float spread = std::max(AimErrorDegrees(settings.level), 0.15f);
    int best = order.empty() ? -1 : order[0];
    float bestValue = -1e9f;
    for (int i = 0; i < settings.robust && i < static_cast<int>(order.size()) && !Cancelled(); ++i) {
        Candidate& c = done[order[i]];
        float total = c.score;
        for (float side : {-spread, spread}) {
            Candidate off = c;
            off.angle += side;
            Evaluate(off);
            total += off.score;
        }
        if (total / 3.0f > bestValue) {
            bestValue = total / 3.0f;
            best = order[i];
        }
    }
    return done[best];
}

// A normal deviate from two draws of the generator (Box–Muller), the same on
// every standard library, unlike std::normal_distribution.
float Normal(std::mt19937& rng)
{
    const double u1 = (rng() + 1.0) / 4294967297.0, u2 = rng() / 4294967296.0;
    return static_cast<float>(std::sqrt(-2.0 * std::log(u1)) * std::cos(TwoPiDouble * u2));
}

OpponentShot CSearch::Run()
{
    OpponentShot shot;
    if (cue < 0)
        return shot;
    CueSpots();
    if (view.rules.BreakPending())
        BreakCandidates();
    else {
        LineCandidates();
        SafetyCandidates();
        bool legal = false;
        for (const Candidate& c : done)
            legal = legal || c.legal;
        if (!legal)
            FanCandidates();
        Refine();
    }
    if (done.empty()) { // cancelled before the first candidate: any heading
        Candidate c;
        c.strength = FanStrength;
        done.push_back(c);
    }
    const Candidate& best = Robust();

    std::mt19937 rng(settings.seed);
    const float aimError = AimErrorDegrees(settings.level) * Normal(rng);
    const float strengthError = StrengthError(settings.level) * Normal(rng);
    const bool inHand = view.inHand || view.table.potted[cue];
    shot.place = inHand;
    shot.cue = spots[best.spot];
    shot.plannedAngle = best.angle;
    shot.plannedStrength = best.strength;
    shot.angle = best.angle + aimError;
    shot.strength = std::clamp(best.strength * (1.0f + strengthError), MinStrength, MaxStrength);
    shot.target = best.target;
    shot.pocket = best.pocket;
    shot.score = best.score;
    shot.simulated = simulated;
    shot.legalFound = legalFound;
    return shot;
}

} // namespace

vec3 OpponentShot::Velocity() const { return ShotVelocity(angle, strength); }

OpponentView ViewOf(const Ball* balls, const PlayTable& table, const CRules& rules, bool inHand, bool kitchen)
{
    OpponentView v;
    std::copy(balls, balls + BallSlots, v.balls);
    // Headless: the live table's shot record and sound sink must never hear the
    // worker's imagined shots (nor be touched from its thread).
    v.table = table.Headless();
    v.rules = rules;
    v.inHand = inHand;
    v.kitchen = kitchen;
    return v;
}

float AimErrorDegrees(int level)
{
    static const float sigma[] = {2.0f, 0.6f, 0.1f};
    return sigma[std::clamp(level, 1, 3) - 1];
}

float StrengthError(int level)
{
    static const float sigma[] = {0.10f, 0.05f, 0.02f};
    return sigma[std::clamp(level, 1, 3) - 1];
}

OpponentShot ChooseShot(const OpponentView& view, const OpponentSettings& settings, const std::atomic<bool>* cancel)
{
    CSearch search(view, settings, cancel);
    return search.Run();
}
