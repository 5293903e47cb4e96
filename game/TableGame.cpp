// CTableGame: racks, the one strike, the fixed steps, the verdicts and the computer's turn.
#include "game/TableGame.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "game/GameMode.h"
#include "opponent/ShotPlanner.h"
#include "physics/ContactSink.h"
#include "physics/World.h"
#include "play/PlayShot.h"

namespace {

// A ball that moves further than this in one step (12 m/s) jumped: a pot
// reaching the tray, a re-spot. It is drawn where it is, not on the way.
constexpr float JumpMetres = 0.2f;

// The string of the potted balls' numbers, " none" when nothing dropped.
std::string PottedList(const ShotEvents& e)
{
    std::string s;
    for (const ShotEvents::Pot& p : e.potted)
        s += " " + std::to_string(p.ball);
    return s.empty() ? " none" : s;
}

// The passes write radius, mass and inertia on every pass; a ball that has
// not been through one yet (a fresh rack) gets them here, so that it is drawn.
void ReadyBalls(Ball* balls)
{
    for (int k = FirstBall; k <= LastBall; ++k) {
        balls[k].radius = BallRadius;
        balls[k].mass = BallMass;
        balls[k].inertia = IMR * BallMass * BallRadius * BallRadius;
    }
}

} // namespace

CTableGame::CTableGame(unsigned firstSeed) : rng(firstSeed), seed(firstSeed)
{
    ReadyBalls(balls);
}

CTableGame::~CTableGame()
{
    // The worker reads its own copy, but must not outlive the game that started it.
    computer.Cancel();
}

void CTableGame::Say(GameEvent::Kind kind, const char* format, ...)
{
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    GameEvent e;
    e.kind = kind;
    e.text = line;
    events.push_back(e);
}

std::vector<GameEvent> CTableGame::TakeEvents()
{
    std::vector<GameEvent> out;
    out.swap(events);
    return out;
}

void CTableGame::Reseed(unsigned newSeed)
{
    seed = newSeed;
    rng.seed(newSeed);
    draws = 0;
}

TableState CTableGame::State() const
{
    TableState s;
    s.mode = mode;
    s.seed = seed;
    s.draws = draws;
    s.nextBreaker = nextBreaker;
    s.breaker = match.breaker;
    s.phase = play.phase;
    s.shots = play.shots;
    s.cueEntry = play.CueEntry();
    s.kitchen = play.Kitchen();
    s.hand = play.hand;
    s.tray = play.tray;
    for (int k = 0; k < BallSlots; ++k) {
        s.sunk[k] = play.sunk[k];
        s.number[k] = play.table.number[k];
        s.potted[k] = play.table.potted[k];
        s.pocket[k] = play.table.pocket[k];
        s.position[k] = balls[k].position;
        s.velocity[k] = balls[k].velocity;
        s.rotation[k] = balls[k].rotation;
        s.spin[k] = balls[k].angularVelocity;
    }
    s.rack = match.rules.State();
    return s;
}

bool CTableGame::Adopt(const TableState& s)
{
    std::string why;
    if (!TableStateValid(s, why))
        return false;
    computer.Cancel();
    replay.Clear();
    accumulator = 0.0f;
    rolling = 0.0;
    handVerdict = Placement::Allowed;
    mode = s.mode;
    Reseed(s.seed);
    rng.discard(s.draws);
    draws = s.draws;
    nextBreaker = s.nextBreaker;
    match.breaker = s.breaker;
    match.rules = CRules(s.rack);
    match.judged = false;
    play.Resume(static_cast<CPlaySession::Phase>(s.phase), s.shots, s.cueEntry, s.kitchen);
    play.hand = s.hand;
    play.tray = s.tray;
    play.events.Clear();
    for (int k = FirstBall; k <= LastBall; ++k) {
        play.sinkAge[k] = -1.0f;
        play.sunk[k] = s.sunk[k];
        play.table.number[k] = s.number[k];
        play.table.potted[k] = s.potted[k];
        play.table.pocket[k] = s.pocket[k];
        balls[k].position = s.position[k];
        balls[k].velocity = s.velocity[k];
        balls[k].rotation = s.rotation[k];
        balls[k].angularVelocity = s.spin[k];
    }
    ReadyBalls(balls);
    std::copy(balls, balls + BallSlots, previous);
    return true;
}

void CTableGame::Begin(int newMode, int opponent)
{
    mode = RulesMode(newMode) ? newMode : ModePractice;
    match.opponent = std::clamp(opponent, 0, 3);
    nextBreaker = 0;
    Rerack();
}

void CTableGame::SetOpponent(int level)
{
    match.opponent = std::clamp(level, 0, 3);
    Say(GameEvent::OpponentChanged, "opponent: %s", OpponentName(match.opponent));
    nextBreaker = 0;
    Rerack();
}

void CTableGame::Rerack()
{
    // A decision under way belongs to the rack that ends here.
    computer.Cancel();
    replay.Clear();
    accumulator = 0.0f;
    rolling = 0.0;
    handVerdict = Placement::Allowed;
    NewRack();
}

void CTableGame::NewRack()
{
    if (Rules()) {
        const GameKind game = mode == ModeNineBall ? GameKind::NineBall : GameKind::EightBall;
        match.NewRack(play, balls, game, NextSeed(), nextBreaker);
        Say(GameEvent::Racked, "%s: racked, %s to break, opponent %s", ModeName(mode),
            match.SideName(match.breaker), OpponentName(match.opponent));
        nextBreaker = 1 - match.breaker;
    } else {
        play.Rack(balls, NextSeed());
        Say(GameEvent::Racked, "practice: racked");
    }
    ReadyBalls(balls);
    std::copy(balls, balls + BallSlots, previous);
}

bool CTableGame::PersonToPlay() const
{
    return !Rules() || (!match.rules.RackOver() && !match.ComputerToPlay());
}

bool CTableGame::Shoot(const ShotCommand& c)
{
    if (!ShotCommandValid(c) || replay.Playing())
        return false;
    if (Rules() && match.rules.RackOver())
        return false;
    if (play.phase == CPlaySession::InHand) {
        if (!c.place)
            return false;
        // Exactly where the command says, or not at all: no clamping into the area.
        handVerdict =
            CheckPlacement(balls, play.table, play.CueEntry(), c.cue.x, c.cue.y, play.Kitchen());
        if (handVerdict != Placement::Allowed) {
            Say(GameEvent::HandRefused, "%s: cue ball not placed: %s",
                PersonToPlay() ? "practice" : "computer", PlacementText(handVerdict));
            return false;
        }
        play.hand = vec3(c.cue.x, c.cue.y, BallRadius);
        play.PlaceHand(balls);
    }
    if (play.phase != CPlaySession::Aim)
        return false;
    Ball& cue = balls[play.CueEntry()];
    if (!play.Strike(balls, ShotCommandVelocity(c)))
        return false;
    ApplyShot(cue, c);
    std::copy(balls, balls + BallSlots, previous);
    replay.Begin(balls);
    accumulator = 0.0f;
    rolling = 0.0;
    cueHeading = c.heading;
    const float speed = Length(cue.velocity);
    const vec3& w = cue.angularVelocity;
    GameEvent e;
    char line[256];
    snprintf(
        line, sizeof line,
        "practice: strike speed %.3f side %.3f top %.3f spin %.3f %.3f %.3f velocity %.3f %.3f",
        speed, c.strike.side, c.strike.top, w.x, w.y, w.z, cue.velocity.x, cue.velocity.y);
    e.kind = GameEvent::Strike;
    e.text = line;
    e.speed = speed;
    events.push_back(e);
    Say(GameEvent::Info, "%s: shot %d", PersonToPlay() ? "practice" : "computer", play.shots);
    return true;
}

Placement CTableGame::MoveHand(float dx, float dy)
{
    if (play.phase != CPlaySession::InHand || !PersonToPlay())
        return handVerdict;
    handVerdict = play.MoveHand(balls, dx, dy);
    return handVerdict;
}

Placement CTableGame::PlaceHand()
{
    if (play.phase != CPlaySession::InHand || !PersonToPlay())
        return handVerdict;
    handVerdict = play.PlaceHand(balls);
    if (handVerdict == Placement::Allowed)
        Say(GameEvent::HandPlaced, "practice: cue ball placed");
    else
        Say(GameEvent::HandRefused, "practice: cue ball not placed: %s",
            PlacementText(handVerdict));
    return handVerdict;
}

bool CTableGame::PlayReplay(float speed)
{
    if (replay.Playing() || play.phase == CPlaySession::Rolling || !replay.Play(speed))
        return false;
    std::copy(balls, balls + BallSlots, replayed);
    Say(GameEvent::ReplayStarted, speed < 1.0f ? "practice: replay (slow)" : "practice: replay");
    return true;
}

void CTableGame::Update(float seconds)
{
    if (!(seconds > 0.0f))
        seconds = 0.0f;
    if (replay.Playing()) {
        // The live balls stay as the shot left them; the replay draws from its own copy.
        if (!replay.Advance(seconds, replayed))
            Say(GameEvent::ReplayOver, "practice: replay over");
        return;
    }
    if (Rules() && match.ComputerToPlay() && play.phase != CPlaySession::Rolling)
        ComputerFrame(seconds);
    if (play.phase != CPlaySession::Rolling) {
        accumulator = 0.0f;
        return;
    }
    accumulator = std::min(accumulator + seconds, MaxCatchUpSeconds);
    const float step = static_cast<float>(PlayFrameSeconds);
    while (accumulator >= step && play.phase == CPlaySession::Rolling) {
        accumulator -= step;
        Step();
    }
    if (play.phase != CPlaySession::Rolling) {
        accumulator = 0.0f;
        EndShot();
    }
}

void CTableGame::Step()
{
    std::copy(balls, balls + BallSlots, previous);
    StepTable(balls, play.table);
    play.Advance(balls, static_cast<float>(PlayFrameSeconds));
    replay.Record(balls, static_cast<float>(PlayFrameSeconds));
    rolling += PlayFrameSeconds;
    if (rolling >= StallSeconds && play.phase == CPlaySession::Rolling && !play.Sinking()) {
        for (int k = FirstBall; k <= LastBall; ++k)
            balls[k].velocity = balls[k].angularVelocity = vec3();
        Say(GameEvent::Stalled, "practice: shot stopped after %.0f s of play", StallSeconds);
        play.Advance(balls, 0.0f);
    }
    if (stepObserver)
        stepObserver();
}

void CTableGame::EndShot()
{
    replay.End(balls);
    std::copy(balls, balls + BallSlots, previous);
    Say(GameEvent::ShotOver, "practice: shot over, potted:%s", PottedList(play.events).c_str());
    if (Rules())
        Judge();
}

void CTableGame::Judge()
{
    const char* game = ModeName(mode);
    const ShotResult r = match.EndShot(play, balls, NextSeed());
    ReadyBalls(balls);
    std::copy(balls, balls + BallSlots, previous);
    if (r.reRack) {
        nextBreaker = 1 - match.breaker;
        Say(GameEvent::Verdict, "%s: %s, %s to break", game, r.text, match.SideName(match.breaker));
        return;
    }
    if (r.groupAssigned != Group::Open)
        Say(GameEvent::Verdict, "%s: %s %s %s", game, match.SideName(r.shooter),
            match.Takes(r.shooter), GroupName(r.groupAssigned));
    if (r.rackOver) {
        Say(GameEvent::Verdict, "%s: rack over, winner %s (%s)", game, match.SideName(r.winner),
            r.text);
        return;
    }
    Say(GameEvent::Verdict, "%s: turn %s%s%s%s", game, match.SideName(r.nextShooter),
        r.ballInHand ? ", ball in hand" : "", r.IsFoul() ? ", " : "", FoulText(r.foul));
}

void CTableGame::ComputerFrame(float seconds)
{
    if (play.Sinking())
        return;
    switch (computer.State()) {
    case CComputerTurn::Idle:
        StartThinking();
        // A headless owner has the answer at once; the live game looks next frame.
        if (waitForComputer)
            TakeDecision();
        return;
    case CComputerTurn::Thinking:
        TakeDecision();
        return;
    case CComputerTurn::Aiming:
        if (!computer.AdvanceAim(seconds))
            return;
        // Refused only if the position changed under it; then it thinks again.
        Shoot(computerCommand);
        return;
    }
}

void CTableGame::StartThinking()
{
    OpponentSettings settings;
    settings.level = match.LevelOf(match.rules.Turn());
    settings.seed = NextSeed();
    computer.Think(
        ViewOf(balls, play.table, match.rules, play.phase == CPlaySession::InHand, play.Kitchen()),
        settings);
    Say(GameEvent::ComputerThinking, "computer: thinking");
}

void CTableGame::TakeDecision()
{
    if (!computer.Decided(waitForComputer))
        return;
    const OpponentShot& shot = computer.Shot();
    const double waited = computer.WaitedSeconds();
    Say(GameEvent::ComputerDecided,
        "computer: decided in %.2f s, %d shots simulated; %d frames meanwhile, %.1f fps",
        computer.WorkSeconds(), shot.simulated, computer.ThinkFrames(),
        waited > 0.0 ? computer.ThinkFrames() / waited : 0.0);
    events.back().timing = true;
    const bool inHand = play.phase == CPlaySession::InHand;
    if (inHand) {
        // Shown where it will go while the cue swings; put down by the strike.
        const vec3 spot = computer.Command(true, play.hand).cue;
        handVerdict = play.MoveHand(balls, spot.x - play.hand.x, spot.y - play.hand.y);
        if (handVerdict != Placement::Allowed) {
            // The view was this very table, so this should not happen; think again rather than
            // stall.
            Say(GameEvent::HandRefused, "computer: cue ball not placed: %s",
                PlacementText(handVerdict));
            return;
        }
        Say(GameEvent::HandPlaced, "computer: cue ball placed");
    }
    // Where the hand holds the ball now (kept within the cloth), if in hand.
    computerCommand = computer.Command(inHand, play.hand);
    computerCommand.cue = play.hand;
    computer.BeginAim(cueHeading);
    Say(GameEvent::ComputerAiming, "computer: aiming");
}

void CTableGame::DrawnBalls(Ball* out) const
{
    if (replay.Playing()) {
        std::copy(replayed, replayed + BallSlots, out);
        return;
    }
    std::copy(balls, balls + BallSlots, out);
    if (play.phase != CPlaySession::Rolling)
        return;
    // Between the last two steps by the share of a step the frame has reached.
    const float t = std::clamp(accumulator / static_cast<float>(PlayFrameSeconds), 0.0f, 1.0f);
    for (int k = FirstBall; k <= LastBall; ++k) {
        const Ball& a = previous[k];
        const Ball& b = balls[k];
        if (Length(b.position - a.position) > JumpMetres)
            continue;
        out[k].position = a.position + (b.position - a.position) * t;
        // The rotation angle wraps at 2π: across a wrap the later one is drawn.
        if (Length(b.rotation - a.rotation) < 1.0f)
            out[k].rotation = a.rotation + (b.rotation - a.rotation) * t;
    }
}
