// AutoPlay: the table game's own match loop, computer against computer, counted into figures.
#include "tools/sim/AutoPlay.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "game/TableGame.h"
#include "physics/World.h"
#include "play/PlayShot.h"
#include "tools/sim/Fingerprint.h"

namespace {

struct RackFigures {
    bool won = false;  // a winner within the visit limit
    bool over = false; // a winner at all before the shot limit
    int visits = 1;
    int shots = 0;
    int pots = 0;   // object balls potted on shots without a foul
    int fouls = 0;
    int stalls = 0; // shots the table game stopped after StallSeconds of play
    int faults = 0; // balls off the bed or not finite after a shot
    int decisions = 0;
    long frames = 0;
    std::vector<double> seconds; // per decision, the worker's wall clock
    std::vector<double> cpu;     // per decision, the process's processor time
};

// Processor seconds of the whole process. The frame loop waits for the
// computer's worker, so over that wait this is the decision's cost, however
// long it waited for a core on a machine shared with other work.
double ProcessSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + 1e-9 * t.tv_nsec;
}

double Longest(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// One rack's figures, read from the table game. Events are taken before
// every step as well as after every frame, so that the fingerprint sees lines
// and steps in the order they happened, however the frames group the steps.
// What a shot potted and where the balls lie is taken at its last step,
// before the referee re-spots or re-racks; its verdict is the match's last
// once the ShotOver event is out.
class CRackCount {
public:
    CRackCount(CTableGame& owner, int visits, CFingerprint& print)
        : game(owner), visitLimit(visits), fingerprint(print)
    {}

    void Stepped()
    {
        Take();
        fingerprint.MixBalls(game.Balls());
        if (game.Phase() == CPlaySession::Rolling)
            return;
        shot = game.Session().events;
        const PlayTable& table = game.Session().table;
        for (int k = FirstBall; k <= LastBall; ++k)
            if (!table.potted[k] && (OffTheBed(game.Balls()[k]) || NotFinite(game.Balls()[k])))
                ++f.faults;
    }

    // After every frame; `cpu` the processor seconds it took. A decision is
    // waited for within one frame, so that frame's time is the decision's.
    void Frame(double cpu)
    {
        ++f.frames;
        Take();
        if (decided)
            f.cpu.push_back(cpu);
        decided = false;
    }

    const RackFigures& Figures() const { return f; }

private:
    void Take()
    {
        for (const GameEvent& e : game.TakeEvents()) {
            if (!e.timing)
                fingerprint.MixLine(e.text);
            if (e.kind == GameEvent::Strike)
                ++f.shots;
            else if (e.kind == GameEvent::Stalled)
                ++f.stalls;
            else if (e.kind == GameEvent::ShotOver)
                Judged(game.Match().last);
            else if (e.kind == GameEvent::ComputerDecided) {
                ++f.decisions;
                f.seconds.push_back(game.Computer().WorkSeconds());
                decided = true;
            }
        }
    }

    void Judged(const ShotResult& r)
    {
        if (r.IsFoul())
            ++f.fouls;
        else
            for (const ShotEvents::Pot& p : shot.potted)
                f.pots += p.ball != 0;
        if (r.rackOver) {
            f.over = true;
            f.won = f.visits <= visitLimit;
        } else if (r.turnPasses)
            ++f.visits;
    }

    CTableGame& game;
    const int visitLimit;
    CFingerprint& fingerprint;
    ShotEvents shot; // the last shot's record as its last step left it
    RackFigures f;
    bool decided = false; // in the frame under way
};

RackFigures PlayRack(const AutoPlaySettings& s, int level, unsigned seed, CFingerprint& fingerprint)
{
    CTableGame game(seed);
    game.SetWaitForComputer(true);
    game.SetOwnLevel(level);
    CRackCount count(game, s.visitLimit, fingerprint);
    game.SetStepObserver([&count] { count.Stepped(); });
    game.Begin(s.mode, level);
    const float frame = static_cast<float>(1.0 / s.frameRate);
    // Every shot rests or is stopped within StallSeconds and the sinking
    // after; a frame loop past this has lost its way.
    const double frameLimit = s.shotLimit * (StallSeconds + 10.0) * s.frameRate;
    while (!game.Match().rules.RackOver() && count.Figures().frames < frameLimit) {
        const RackFigures& f = count.Figures();
        // The last shot is played out; a computer whose decisions keep being
        // refused gives up too.
        if (game.Phase() != CPlaySession::Rolling &&
            (f.shots >= s.shotLimit || f.decisions >= 2 * s.shotLimit))
            break;
        const double before = ProcessSeconds();
        game.Update(frame);
        count.Frame(ProcessSeconds() - before);
    }
    return count.Figures();
}

struct LevelFigures {
    int won = 0, unfinished = 0, shots = 0, visits = 0, pots = 0, fouls = 0, stalls = 0, faults = 0,
        refused = 0;
    long frames = 0;
    std::vector<double> seconds, cpu;
    CFingerprint fingerprint; // every rack's steps and lines, one after another

    void Add(const RackFigures& f)
    {
        won += f.won;
        unfinished += !f.over;
        shots += f.shots;
        visits += f.visits;
        pots += f.pots;
        fouls += f.fouls;
        stalls += f.stalls;
        faults += f.faults;
        refused += f.decisions - f.shots;
        frames += f.frames;
        seconds.insert(seconds.end(), f.seconds.begin(), f.seconds.end());
        cpu.insert(cpu.end(), f.cpu.begin(), f.cpu.end());
    }
};

// The level's row, its timing line, and a line for each kind of fault; answers the exit status.
int PrintLevel(FILE* out, const AutoPlaySettings& s, int level, const LevelFigures& l, double wall)
{
    const double n = s.racks > 0 ? s.racks : 1;
    fprintf(out, "%5d  %6.0f%%  %10d  %10.1f  %11.1f  %10.2f  %10.2f  %6d\n", level,
            100.0 * l.won / n, l.unfinished, l.shots / n, l.visits / n,
            l.visits ? static_cast<double>(l.pots) / l.visits : 0.0, l.fouls / n, l.stalls);
    fprintf(out, "level %d fingerprint %016llx (every ball after every step, the game's lines)\n",
            level, static_cast<unsigned long long>(l.fingerprint.Value()));
    fprintf(out,
            "timing: level %d: decision s (wall) median %.3f max %.3f, (cpu) median %.3f max %.3f; "
            "%ld frames of 1/%g s in %.1f s\n",
            level, Median(l.seconds), Longest(l.seconds), Median(l.cpu), Longest(l.cpu), l.frames,
            s.frameRate, wall);
    int status = l.stalls > 0 ? 1 : 0;
    if (l.faults > 0) {
        fprintf(out, "level %d: %d balls off the bed or not finite after a shot\n", level,
                l.faults);
        status = 1;
    }
    if (l.refused > 0) {
        fprintf(out, "level %d: %d decisions of the computer refused by the table game\n", level,
                l.refused);
        status = 1;
    }
    fflush(out);
    return status;
}

} // namespace

int RunAutoPlay(const AutoPlaySettings& s, FILE* out, FILE* progress)
{
    // The game's defaults: the passes read these globals, set from game.cfg in the game.
    Gravity = static_cast<float>(DefaultGravity);
    Viscosity = static_cast<float>(DefaultViscosity);
    fprintf(out,
            "%s, computer against computer, %d racks per level, both sides at the level; seed %u\n",
            ModeName(s.mode), s.racks, s.seed);
    fprintf(
        out,
        "level  won<=%dv  unfinished  shots/rack  visits/rack  pots/visit  fouls/rack  stalls\n",
        s.visitLimit);
    int status = 0;
    for (int level : s.levels) {
        LevelFigures l;
        const auto begin = std::chrono::steady_clock::now();
        for (int r = 0; r < s.racks; ++r) {
            const RackFigures f =
                PlayRack(s, level, s.seed + static_cast<unsigned>(r), l.fingerprint);
            l.Add(f);
            if (progress)
                fprintf(progress,
                        "level %d rack %d: %s in %d visits, %d shots, %d pots, %d fouls, decision "
                        "max %.2f s "
                        "wall, %.2f s cpu\n",
                        level, r + 1, f.over ? "won" : "unfinished", f.visits, f.shots, f.pots,
                        f.fouls, Longest(f.seconds), Longest(f.cpu));
        }
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        status = std::max(status, PrintLevel(out, s, level, l, wall));
    }
    return status;
}
