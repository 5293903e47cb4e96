// AutoPlay: the game's shot cycle without a window: the computer chooses, the passes run, the referee judges.
#include "tools/sim/AutoPlay.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "opponent/ShotPlanner.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/NineBallRack.h"
#include "play/PlayShot.h"
#include "play/PracticeRack.h"
#include "play/Respot.h"
#include "rules/Rules.h"

namespace {

// Play a shot may take before it counts as a stall, s.
constexpr double StallSeconds = 60.0;

struct RackFigures {
    bool won = false;  // a winner within the visit limit
    bool over = false; // a winner at all before the shot limit
    int visits = 1;
    int shots = 0;
    int pots = 0;   // object balls potted on shots without a foul
    int fouls = 0;
    int stalls = 0; // shots still moving after StallSeconds
    int faults = 0; // balls off the bed or not finite after a shot
    std::vector<double> seconds; // per decision, wall clock
    std::vector<double> cpu;     // per decision, the thread's processor time
};

// Processor seconds of the calling thread: on a machine shared with other
// work, what a decision costs regardless of how long it waited for a core.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + 1e-9 * t.tv_nsec;
}

void Rack(Ball* balls, PlayTable& table, GameKind game, unsigned seed)
{
    if (game == GameKind::NineBall)
        RackNineBall(balls, table, seed);
    else
        RackPractice(balls, table, seed);
}

RackFigures PlayRack(const AutoPlaySettings& s, GameKind game, int level, unsigned rackSeed)
{
    Ball balls[BallSlots] = {};
    PlayTable table = PocketTable();
    ShotEvents events;
    table.events = &events;
    Rack(balls, table, game, rackSeed);
    const int cue = table.EntryOf(0);
    CRules rules(game);
    rules.NewRack(rackSeed % 2);
    bool inHand = true, kitchen = true;

    OpponentSettings planner;
    planner.level = level;
    RackFigures f;
    while (!rules.RackOver() && f.shots < s.shotLimit) {
        const OpponentView view = ViewOf(balls, table, rules, inHand, kitchen);
        planner.seed = rackSeed * 7919u + static_cast<unsigned>(f.shots);
        const auto begin = std::chrono::steady_clock::now();
        const double cpuBegin = ThreadSeconds();
        const OpponentShot shot = ChooseShot(view, planner);
        f.cpu.push_back(ThreadSeconds() - cpuBegin);
        f.seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());

        Ball& c = balls[cue];
        if (shot.place) {
            c.position = shot.cue;
            table.potted[cue] = false;
            table.pocket[cue] = -1;
        }
        c.angularVelocity = vec3();
        c.velocity = shot.Velocity();
        events.Clear();
        bool resting = false;
        RunUntilRest(balls, table, StallSeconds, resting);
        ++f.shots;
        if (!resting) {
            ++f.stalls;
            for (int k = FirstBall; k <= LastBall; ++k)
                balls[k].velocity = balls[k].angularVelocity = vec3();
        }
        for (int k = FirstBall; k <= LastBall; ++k)
            if (!table.potted[k] && (OffTheBed(balls[k]) || NotFinite(balls[k])))
                ++f.faults;

        const ShotResult r = rules.Judge(events);
        if (r.IsFoul())
            ++f.fouls;
        else
            for (const ShotEvents::Pot& p : events.potted)
                f.pots += p.ball != 0;
        if (r.rackOver) {
            f.over = true;
            f.won = f.visits <= s.visitLimit;
            break;
        }
        if (r.turnPasses)
            ++f.visits;
        if (r.reRack) {
            Rack(balls, table, game, rackSeed + 1000003u * f.shots);
            inHand = kitchen = true;
            continue;
        }
        for (int n = 1; n <= 15; ++n)
            if (Has(r.respot, n))
                RespotBall(balls, table, n);
        inHand = r.ballInHand || table.potted[cue];
        kitchen = false;
    }
    return f;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

} // namespace

int RunAutoPlay(const AutoPlaySettings& s, FILE* out, FILE* progress)
{
    // The game's defaults: the passes read these globals, set from game.cfg in the game.
    Gravity = static_cast<float>(DefaultGravity);
    Viscosity = static_cast<float>(DefaultViscosity);
    const GameKind game = s.mode == 3 ? GameKind::NineBall : GameKind::EightBall;
    fprintf(out, "%s, computer against computer, %d racks per level, both sides at the level; seed %u\n",
            game == GameKind::NineBall ? "9-ball" : "8-ball", s.racks, s.seed);
    fprintf(out, "level  won<=%dv  unfinished  shots/rack  visits/rack  pots/visit  fouls/rack  stalls"
                 "  decision s (wall) median  max  (cpu) median  max\n",
            s.visitLimit);
    int status = 0;
    for (int level : s.levels) {
        std::vector<double> seconds, cpu;
        int unfinished = 0;
        int won = 0, shots = 0, visits = 0, pots = 0, fouls = 0, stalls = 0, faults = 0;
        for (int r = 0; r < s.racks; ++r) {
            const RackFigures f = PlayRack(s, game, level, s.seed + static_cast<unsigned>(r));
            won += f.won;
            shots += f.shots;
            visits += f.visits;
            pots += f.pots;
            fouls += f.fouls;
            stalls += f.stalls;
            faults += f.faults;
            unfinished += !f.over;
            seconds.insert(seconds.end(), f.seconds.begin(), f.seconds.end());
            cpu.insert(cpu.end(), f.cpu.begin(), f.cpu.end());
            if (progress)
                fprintf(progress, "level %d rack %d: %s in %d visits, %d shots, %d pots, %d fouls, decision max %.2f s wall, %.2f s cpu\n",
                        level, r + 1, f.over ? "won" : "unfinished", f.visits, f.shots, f.pots, f.fouls,
                        *std::max_element(f.seconds.begin(), f.seconds.end()), *std::max_element(f.cpu.begin(), f.cpu.end()));
        }
        const double n = s.racks > 0 ? s.racks : 1;
        const auto longest = [](const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); };
        fprintf(out, "%5d  %6.0f%%  %10d  %10.1f  %11.1f  %10.2f  %10.2f  %6d  %23.3f  %5.3f  %12.3f  %5.3f\n", level,
                100.0 * won / n, unfinished, shots / n, visits / n,
                visits ? static_cast<double>(pots) / visits : 0.0, fouls / n, stalls, Median(seconds),
                longest(seconds), Median(cpu), longest(cpu));
        if (faults > 0) {
            fprintf(out, "level %d: %d balls off the bed or not finite after a shot\n", level, faults);
            status = 1;
        }
        if (stalls > 0)
            status = 1;
        fflush(out);
    }
    return status;
}
