// CGame's rules modes: racks and verdicts, the computer's turn (thinking, aiming, striking), the two sides on the HUD.
#include "app/Game.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/StdoutLog.h"
#include "physics/Ball.h"
#include "physics/SceneSync.h"
#include "physics/TableGeometry.h"
#include "play/PlayShot.h"
#include "scene/Ball.h"
#include "scene/Cue.h"

namespace {

// The computer's aim as the player sees it, seconds from its decision: the cue
// swings to the chosen heading, then draws back to the shot's power, then strikes.
const float SwingSeconds = 0.5f;
const float DrawSeconds = 0.7f;
const float StrikeSeconds = 1.4f;
const float ShotSpeedPerPower = 10.0f; // as the player's shot: scene units per second per power
const float Pi = 3.1415927f;
// While the computer thinks, frames come no faster than this: a frame drawn
// sooner sleeps out the rest, and the worker thread gets that time.
const float ThinkFrameSeconds = 1.0f / 72.0f;

// When the current decision began: read only by the frame loop's thread.
std::chrono::steady_clock::time_point thinkBegin;

// One line on standard output per rules event, for the player's terminal and
// for black-box tests (as the practice events are logged).
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    LogLineV(format, args);
    va_end(args);
}

const char* GameName(GameKind game) { return game == GameKind::NineBall ? "9-ball" : "8-ball"; }

const char* LevelName(int level)
{
    static const char* const names[] = {"a second player", "the computer, easy", "the computer, medium",
                                        "the computer, hard"};
    return names[std::clamp(level, 0, 3)];
}

const char* GroupName(Group g)
{
    return g == Group::Solids ? "solids" : g == Group::Stripes ? "stripes" : "open table";
}

std::string BallList(BallSet set)
{
    std::string s;
    for (int n = 1; n <= MaxBall; ++n)
        if (Has(set, n))
            s += (s.empty() ? "" : " ") + std::to_string(n);
    return s.empty() ? "-" : s;
}

float SmoothStep(float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

void CGame::NewRulesRack()
{
    const GameKind game = mode == ModeNineBall ? GameKind::NineBall : GameKind::EightBall;
    match.NewRack(play, ball, game, static_cast<unsigned>(rand()), nextBreaker);
    Log("%s: racked, %s to break, opponent %s\n", GameName(game), match.SideName(match.breaker),
        LevelName(match.opponent));
    // The racks alternate the break.
    nextBreaker = 1 - match.breaker;
}

void CGame::CycleOpponent()
{
    match.opponent = (match.opponent + 1) % 4;
    Log("opponent: %s\n", LevelName(match.opponent));
    nextBreaker = 0;
    Rerack();
}

void CGame::EndRulesShot()
{
    const char* game = GameName(match.rules.Game());
    const ShotResult r = match.EndShot(play, ball, static_cast<unsigned>(rand()));
    if (r.reRack) {
        // The passes left potted records without a radius: the scene needs the rack.
        for (int k = FirstBall; k <= LastBall; ++k)
            if (ball[k].radius == 0.0f)
                ball[k].radius = BallRadius;
        nextBreaker = 1 - match.breaker;
        Log("%s: %s, %s to break\n", game, r.text, match.SideName(match.breaker));
        return;
    }
    if (r.groupAssigned != Group::Open)
        Log("%s: %s takes %s\n", game, match.SideName(r.shooter), GroupName(r.groupAssigned));
    if (r.rackOver) {
        Log("%s: rack over, winner %s (%s)\n", game, match.SideName(r.winner), r.text);
        return;
    }
    Log("%s: turn %s%s%s%s\n", game, match.SideName(r.nextShooter), r.ballInHand ? ", ball in hand" : "",
        r.IsFoul() ? ", " : "", FoulText(r.foul));
}

void CGame::ControlComputer()
{
    // The player's buttons play no part until the turn comes back: a button
    // held through it aims only after a release.
    leftPressed = false;
    if (mouse.button == SDL_BUTTON_LEFT)
        leftHeld = true;
    const int looking = mouse.button == SDL_BUTTON_RIGHT ? CCamera::StateZoom : CCamera::StateRotate;

    if (match.rules.RackOver() || play.phase == CPlaySession::Rolling || play.Sinking()) {
        if (cue)
            cue->state = CueHidden;
        camera.state = looking;
        return;
    }
    switch (computerStage) {
    case ComputerIdle: {
        // The worker gets a copy taken now, with every ball at rest: the live
        // balls stay the frame loop's alone.
        OpponentSettings settings;
        settings.level = match.opponent;
        settings.seed = static_cast<unsigned>(rand());
        opponent.Start(ViewOf(ball, play.table, match.rules, play.phase == CPlaySession::InHand, play.Kitchen()),
                       settings);
        computerStage = ComputerThinking;
        computerAge = 0.0f;
        thinkFrames = 0;
        thinkBegin = std::chrono::steady_clock::now();
        Log("computer: thinking\n");
        if (cue)
            cue->state = CueHidden;
        camera.state = looking;
        return;
    }
    case ComputerThinking: {
        ++thinkFrames;
        camera.state = looking;
        if (frameTime < ThinkFrameSeconds)
            SDL_Delay(static_cast<Uint32>((ThinkFrameSeconds - frameTime) * 1000.0f));
        if (!opponent.Ready())
            return;
        const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - thinkBegin).count();
        computerShot = opponent.Take();
        Log("computer: decided in %.2f s, %d shots simulated; %d frames meanwhile, %.1f fps\n", opponent.Seconds(),
            computerShot.simulated, thinkFrames, waited > 0.0 ? thinkFrames / waited : 0.0);
        if (play.phase == CPlaySession::InHand) {
            // Without a place of its own it plays from where the hand holds the ball.
            if (computerShot.place)
                play.MoveHand(ball, computerShot.cue.x - play.hand.x, computerShot.cue.y - play.hand.y);
            const Placement p = play.PlaceHand(ball);
            if (p != Placement::Allowed) {
                // The view was this very table, so this should not happen; think again rather than stall.
                Log("computer: cue ball not placed: %s\n", PlacementText(p));
                computerStage = ComputerIdle;
                return;
            }
            Log("computer: cue ball placed\n");
        }
        computerStage = ComputerAiming;
        computerAge = 0.0f;
        computerAimFrom = aimAngle;
        computerAim = aimAngle;
        Log("computer: aiming\n");
        return;
    }
    case ComputerAiming: {
        computerAge += frameTime;
        // The shorter way round to the chosen heading.
        float turn = std::remainder(computerShot.angle / DegreesPerRadian - computerAimFrom, 2.0f * Pi);
        computerAim = computerAimFrom + turn * SmoothStep(computerAge / SwingSeconds);
        camera.state = CCamera::StateFrozen;
        if (!topView && camera.mode != CCamera::ModeFree)
            camera.angle = computerAim; // the view swings behind the cue with it
        if (computerAge < StrikeSeconds)
            return;
        play.Strike(ball, computerShot.Velocity());
        if (cue) {
            cue->state = CueStruck;
            cue->SetPower(0.0f);
        }
        computerStage = ComputerIdle;
        Log("computer: shot %d\n", play.shots);
        return;
    }
    }
}

void CGame::ShowComputerAim()
{
    if (computerStage != ComputerAiming || !cue)
        return;
    aimAngle = computerAim;
    cue->angle = DegreesPerRadian * aimAngle;
    cue->state = CueAiming;
    // Drawn back from the softest power to the shot's over DrawSeconds, once the swing is done.
    const float power = computerShot.strength / ShotSpeedPerPower;
    cue->SetPower(CueMinPower + (power - CueMinPower) * SmoothStep((computerAge - SwingSeconds) / DrawSeconds));
}

void CGame::ShowRulesHud(float y)
{
    const float line = 14.0f;
    const CRules& rules = match.rules;
    const bool nine = rules.Game() == GameKind::NineBall;
    glColor3f(1.0f, 1.0f, 0.6f);
    font.Print(10.0f, y, "%s   against %s (O changes it)", nine ? "9-ball" : "8-ball", LevelName(match.opponent));
    y -= line;
    // One line per side: the turn marked, the group and the balls it still needs.
    for (int side = 0; side < 2; ++side) {
        const bool turn = !rules.RackOver() && rules.Turn() == side;
        if (turn)
            glColor3f(1.0f, 1.0f, 0.3f);
        else
            glColor3f(0.75f, 0.75f, 0.75f);
        if (nine)
            font.Print(10.0f, y, "%s %s   fouls in a row: %d", turn ? ">" : " ", match.SideName(side),
                       rules.FoulsInARow(side));
        else {
            // The group first, the 8 last: the order they must go down in.
            const BallSet own = BallSet(rules.BallsNeeded(side) & ~BallBit(8));
            font.Print(10.0f, y, "%s %s   %s   needs: %s%s", turn ? ">" : " ", match.SideName(side),
                       GroupName(rules.GroupOf(side)), own ? BallList(own).c_str() : "",
                       own ? ", then the 8" : "the 8");
        }
        y -= line;
    }
    if (nine) {
        glColor3f(1.0f, 1.0f, 0.6f);
        font.Print(10.0f, y, "Ball on: %d   on the table: %s", LowestBall(rules.BallsOnTable()),
                   BallList(rules.BallsOnTable()).c_str());
        y -= line;
    }
    // What happens now.
    const char* who = match.SideName(rules.Turn());
    if (rules.RackOver()) {
        glColor3f(0.4f, 1.0f, 0.4f);
        font.Print(10.0f, y, "%s %s the rack (%s).  R: a new rack", match.SideName(rules.Winner()),
                   match.opponent > 0 && rules.Winner() == 0 ? "win" : "wins", match.last.text);
    } else if (match.ComputerToPlay()) {
        glColor3f(1.0f, 1.0f, 1.0f);
        font.Print(10.0f, y, "Computer's turn: %s",
                   play.phase == CPlaySession::Rolling ? "shot played"
                   : computerStage == ComputerAiming ? "aiming"
                                                      : "thinking...");
    } else if (play.phase != CPlaySession::Rolling) {
        glColor3f(1.0f, 1.0f, 1.0f);
        if (play.phase == CPlaySession::InHand)
            font.Print(10.0f, y, "%s to %s: ball in hand%s, move the mouse, left click to place%s%s", who,
                       rules.BreakPending() ? "break" : "play", play.Kitchen() ? " behind the head string" : "",
                       handVerdict == Placement::Allowed ? "" : "  -  ", PlacementText(handVerdict));
        else
            font.Print(10.0f, y, "%s to %s", who, rules.BreakPending() ? "break" : "play");
    }
    y -= line;
    // The last verdict worth a word: a foul and why, an illegal break, a group decided.
    const ShotResult& r = match.last;
    if (match.judged && !r.rackOver && (r.IsFoul() || r.reRack)) {
        glColor3f(1.0f, 0.45f, 0.35f);
        font.Print(10.0f, y, "Last shot by %s: %s", match.SideName(r.shooter), r.text);
    } else if (match.judged && r.groupAssigned != Group::Open) {
        glColor3f(1.0f, 1.0f, 0.6f);
        font.Print(10.0f, y, "%s takes %s", match.SideName(r.shooter), GroupName(r.groupAssigned));
    }
}
