// CTableScreen: the shot cycle at the mouse, the camera, the cue, the guide, the game's events.
#include "app/TableScreen.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/FrameClock.h"
#include "app/Game.h"
#include "app/PlayHud.h"
#include "audio/SoundKind.h"
#include "camera/PlayOrbit.h"
#include "game/EventLog.h"
#include "net/NetAddress.h"
#include "app/SceneSync.h"
#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"
#include "physics/Units.h"
#include "play/GuideRay.h"
#include "play/PlayShot.h"
#include "scene/Cue.h"

namespace {

// Cue ball in hand: metres per pixel of mouse motion.
const float HandPerPixel = 0.0015f;
// The look point closes this fraction of its gap to the cue ball per second
// (exponentially): about a quarter of a second to settle at rest; while the
// balls roll, slower, so the view glides after the cue ball without jerks.
const float FollowRate = 8.0f;
const float RollFollowRate = 2.5f;
// ... and faster the further the cue ball has run ahead (per second, per
// scene unit of the gap): a 7.5 m/s break (150 units/s) keeps it about 15
// units ahead of the look point, within the view at the aiming distance.
const float RollCatchUp = 0.5f;
// The eye stays this far inside the room's walls, floor and ceiling, scene units.
const float RoomMargin = 10.0f;
// The room as LoadData builds it, scene units: x ±200, y ±250, z −26.5..173.5.
const float RoomHalfX = 200.0f, RoomHalfY = 250.0f, RoomTop = 173.5f;
// The top view: straight enough down to read the table, far enough up to see all of it.
const float TopPitch = -1.5f;
const float TopDistance = 75.0f;
const float TopHeading = HalfPi;
// Behind the cue ball, looking up the table at the rack.
const float RackHeading = Pi;
// While the computer thinks, frames come no faster than this: a frame drawn
// sooner sleeps out the rest, and the worker thread gets that time.
const float ThinkFrameSeconds = 1.0f / 72.0f;
// The guide's share of a frame of the game, seconds: it simulates whole steps
// (25 passes over 16 balls, about 20 us each here) until this is spent, so a
// one-second prediction is ready a few frames after the aim settles, and the
// last one stays on show meanwhile.
const double GuideBudgetSeconds = 0.0005;

vec3 ToScene(const vec3& m)
{
    return m * SceneUnitsPerMetre;
}

// The longest distance from `look` along −dir that keeps the eye inside the
// box |x| ≤ hx, |y| ≤ hy, zLow ≤ z ≤ zHigh.
float RoomReach(const vec3& look, const vec3& dir, float hx, float hy, float zLow, float zHigh)
{
    float reach = 1e9f;
    auto limit = [&](float from, float step, float low, float high) {
        // eye = from − s·step must stay in [low, high].
        if (step > 0.0f)
            reach = std::min(reach, (from - low) / step);
        else if (step < 0.0f)
            reach = std::min(reach, (from - high) / step);
    };
    limit(look.x, dir.x, -hx, hx);
    limit(look.y, dir.y, -hy, hy);
    limit(look.z, dir.z, zLow, zHigh);
    return std::max(reach, 0.0f);
}

// Scene point (metres in the physics' frame) as OpenGL takes it: scene units, axes (y, z, x).
void Vertex(const vec3& m)
{
    const vec3 s = m * SceneUnitsPerMetre;
    glVertex3f(s.y, s.z, s.x);
}

// A circle of radius `r` metres around `c` in the plane spanned by `u` and `v` (unit vectors).
void Circle(const vec3& c, float r, const vec3& u, const vec3& v)
{
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 32; ++i) {
        const float a = TwoPi * static_cast<float>(i) / 32.0f;
        Vertex(c + r * std::cos(a) * u + r * std::sin(a) * v);
    }
    glEnd();
}

void Line(const vec3& a, const vec3& b)
{
    glBegin(GL_LINES);
    Vertex(a);
    Vertex(b);
    glEnd();
}

// A line from `from` along `velocity` for the distance it would cover in
// `seconds`, at least a ball's diameter, stopped at the cushion it meets and
// turned back off it once; nothing for a ball left still.
void Heading(const vec3& from, vec3 velocity, float seconds)
{
    velocity.z = 0.0f;
    const float speed = Length(velocity);
    if (!(speed > 1e-3f))
        return;
    const float reach = std::max(speed * seconds, 4.0f * BallRadius);
    const std::vector<vec3> ray = GuideRay(PlayClothBox(), from, velocity, reach, 1);
    glBegin(GL_LINE_STRIP);
    for (const vec3& q : ray)
        Vertex(q);
    glEnd();
}

} // namespace

CTableScreen::CTableScreen(CGame& shell_, unsigned seed_) : shell(shell_), game(seed_), seed(seed_)
{}

void CTableScreen::Start(int mode)
{
    // A network game over (or never begun) gives way to the game picked.
    net.reset();
    topView = false;
    game.Begin(mode, shell.choices.opponent);
    game.SetLocalSide(-1);
    TakeEvents();
}

bool CTableScreen::Host(std::uint16_t port, int mode, std::string& error)
{
    net.reset();
    topView = false;
    auto session = std::make_unique<CNetSession>(game);
    if (!session->Host(port, mode, seed ^ 0x9e3779b9u, error))
        return false;
    net = std::move(session);
    for (const std::string& line : net->TakeLog())
        LogEvent("%s", line.c_str());
    listenAddresses.clear();
    for (const std::string& a : LocalAddresses())
        listenAddresses += (listenAddresses.empty() ? "" : ", ") + a;
    LogEvent("net: listening on %s, UDP port %u", listenAddresses.c_str(), unsigned(net->Port()));
    TakeEvents();
    return true;
}

bool CTableScreen::Join(const std::string& host, std::uint16_t port, std::string& error)
{
    net.reset();
    topView = false;
    // An 8-ball rack until the host's hello names the game.
    game.Begin(ModeEightBall, 0);
    auto session = std::make_unique<CNetSession>(game);
    if (!session->Join(host, port, error))
        return false;
    net = std::move(session);
    for (const std::string& line : net->TakeLog())
        LogEvent("%s", line.c_str());
    TakeEvents();
    return true;
}

void CTableScreen::LeaveNetwork()
{
    if (!net)
        return;
    net->Leave();
    for (const std::string& line : net->TakeLog())
        LogEvent("%s", line.c_str());
}

bool CTableScreen::NetworkOn() const
{
    return net && net->GetStatus() != CNetSession::Status::Ended;
}

bool CTableScreen::MayPlay() const
{
    return net ? net->LocalToPlay() : game.PersonToPlay();
}

void CTableScreen::NetworkFrame(float dt)
{
    net->Frame(dt);
    game.SetLocalSide(net->LocalSide());
    for (const std::string& line : net->TakeLog())
        LogEvent("%s", line.c_str());
    // The controls follow the game the host's hello named.
    shell.mode = game.Mode();
    if (!net->LocalToPlay())
        return;
    // The opponent watches the cue: heading, power, strike point, the cue ball in hand.
    const bool inHand = game.Phase() == CPlaySession::InHand;
    net->NoteAim(DegreesPerRadian * aimAngle, aiming ? CuePowerOfPull(pull) : 0.0f, strike, inHand,
                 inHand ? game.Session().hand : game.Balls()[game.CueEntry()].position);
}

void CTableScreen::GuideChanged()
{
    aimGuide = AimGuideLevel(game.Mode(), game.Match().opponent, shell.choices.aimGuide);
    guide.Reset();
}

bool CTableScreen::RackUnderWay() const
{
    if (game.Session().shots <= 0)
        return false;
    if (game.Rules())
        return !game.Match().rules.RackOver();
    return game.Session().tray.size() < 15;
}

bool CTableScreen::AskFirst(Action action)
{
    // A network game refuses these outright (StartMode says so): nothing to ask.
    if (net || !RackUnderWay())
        return false;
    pending = action;
    LogEvent("confirm: %s", Question());
    return true;
}

const char* CTableScreen::Question() const
{
    switch (pending) {
    case Action::Rerack:
        return "Re-rack and throw this rack away? Y / N";
    case Action::Opponent:
        return "Change the opponent and start a new rack? Y / N";
    case Action::FreeTable:
    case Action::Practice:
    case Action::EightBall:
    case Action::NineBall:
        return "Leave this rack for another game? Y / N";
    default:
        return nullptr;
    }
}

void CTableScreen::Answer(bool yes)
{
    const Action action = pending;
    if (action == Action::None)
        return;
    pending = Action::None;
    LogEvent("confirm: %s", yes ? "yes" : "no");
    if (!yes)
        return;
    switch (action) {
    case Action::Rerack:
        // In a network game the host racks again once a rack is over.
        if (!net)
            game.Rerack();
        break;
    case Action::Opponent:
        ChangeOpponent();
        break;
    case Action::FreeTable:
    case Action::Practice:
    case Action::EightBall:
    case Action::NineBall:
        // The screen may be left here: nothing of it is touched after.
        shell.StartMode(ModeFreeTable +
                        (static_cast<int>(action) - static_cast<int>(Action::FreeTable)));
        return;
    default:
        break;
    }
    TakeEvents();
}

void CTableScreen::ChangeOpponent()
{
    // The next opponent stays the session's choice in the other rules game too.
    if (game.Rules()) {
        shell.choices.opponent = (game.Match().opponent + 1) % 4;
        game.SetOpponent(shell.choices.opponent);
    }
}

void CTableScreen::Act(Action action)
{
    if (action == Action::Confirm || action == Action::Decline) {
        Answer(action == Action::Confirm);
        return;
    }
    switch (action) {
    case Action::Rerack:
        // In a network game the host racks again once a rack is over.
        if (!net && !AskFirst(action))
            game.Rerack();
        break;
    case Action::Opponent:
        if (game.Rules() && !net && !AskFirst(action))
            ChangeOpponent();
        break;
    case Action::TopView:
        ToggleTopView();
        break;
    case Action::CancelAim:
        CancelAim();
        break;
    case Action::Replay:
    case Action::ReplaySlow:
        if (!aiming && game.PlayReplay(action == Action::ReplaySlow ? ReplaySlowSpeed : 1.0f))
            replaySlow = action == Action::ReplaySlow;
        break;
    case Action::StrikeUp:
    case Action::StrikeDown:
    case Action::StrikeLeft:
    case Action::StrikeRight:
    case Action::StrikeCentre:
        NudgeStrike(action);
        break;
    default:
        break;
    }
    TakeEvents();
}

void CTableScreen::Button(int button, bool down)
{
    if (button == SDL_BUTTON_MIDDLE && down)
        CancelAim();
    // A click may come and go between two frames: keep the press.
    if (button == SDL_BUTTON_LEFT && down)
        leftPressed = true;
    // A release ends a hold, even if a new press follows before the next frame.
    if (button == SDL_BUTTON_LEFT && !down)
        leftHeld = false;
}

void CTableScreen::NudgeStrike(Action action)
{
    // The spin keys move the strike point while the cue may be drawn back.
    if (game.Phase() != CPlaySession::Aim || game.ReplayPlaying())
        return;
    if (action == Action::StrikeCentre) {
        strike = StrikePoint();
    } else {
        const int side = action == Action::StrikeRight ? 1 : action == Action::StrikeLeft ? -1 : 0;
        const int top = action == Action::StrikeUp ? 1 : action == Action::StrikeDown ? -1 : 0;
        strike = NudgeStrikePoint(strike, side, top);
    }
    LogEvent("practice: strike point side %.2f top %.2f", strike.side, strike.top);
}

void CTableScreen::ToggleTopView()
{
    topView = !topView;
    LogEvent("top view %s", topView ? "on" : "off");
    // Back from above, the orbit looks along the aim chosen there.
    if (!topView) {
        shell.camera.angle = aimAngle;
        shell.camera.pitchAngle = OrbitAimPitch;
        shell.camera.distance = OrbitAimDistance;
    }
}

void CTableScreen::CancelAim()
{
    if (aiming) {
        aiming = false;
        pull = 0.0f;
        LogEvent("practice: aim cancelled");
    }
    // The held button aims again only after it has been let go.
    leftHeld = true;
}

void CTableScreen::ControlShot()
{
    CCamera& camera = shell.camera;
    const CMouse& mouse = shell.mouse;
    const bool left = mouse.button == SDL_BUTTON_LEFT;
    const bool pressed = leftPressed;
    leftPressed = false;
    if (!left)
        leftHeld = false;
    const int looking =
        mouse.button == SDL_BUTTON_RIGHT ? CCamera::StateZoom : CCamera::StateRotate;

    if (game.Phase() == CPlaySession::InHand) {
        camera.state = CCamera::StateFrozen;
        // Moves in the view's frame: right on the screen, and away from the eye.
        const float c = std::cos(topView ? TopHeading : camera.angle);
        const float s = std::sin(topView ? TopHeading : camera.angle);
        const float right = mouse.dx * HandPerPixel, away = -mouse.dy * HandPerPixel;
        game.MoveHand(right * s + away * c, -right * c + away * s);
        if (pressed) {
            game.PlaceHand();
            leftHeld = true; // the click that placed it does not aim
        }
        return;
    }
    if (game.Phase() != CPlaySession::Aim) {
        // Balls still move: no cue, and a button held now aims only after a release.
        aiming = false;
        if (left)
            leftHeld = true;
        camera.state = looking;
        return;
    }
    if (left && !leftHeld) {
        camera.state = CCamera::StateFrozen;
        if (!aiming) {
            aiming = true;
            pull = 0.0f;
            LogEvent("practice: aiming");
        }
        return;
    }
    camera.state = looking;
    if (aiming && mouse.button == 0)
        Strike();
}

void CTableScreen::Strike()
{
    ShotCommand c;
    c.heading = DegreesPerRadian * aimAngle;
    c.speed = SpeedOfPull(pull);
    c.strike = strike;
    aiming = false;
    pull = 0.0f;
    if (net)
        net->Shoot(c);
    else
        game.Shoot(c);
}

void CTableScreen::TakeEvents()
{
    for (const GameEvent& e : game.TakeEvents()) {
        LogEvent("%s", e.text.c_str());
        if (e.kind == GameEvent::Strike) {
            shell.sound.Play(SoundKind::CueStrike, e.speed);
            guide.Reset();
        } else if (e.kind == GameEvent::Racked) {
            OnRacked();
        }
    }
}

void CTableScreen::OnRacked()
{
    pending = Action::None;
    aiming = false;
    pull = 0.0f;
    strike = StrikePoint();
    guide.Reset();
    shell.contactSounds.Reset();
    aimGuide = AimGuideLevel(game.Mode(), game.Match().opponent, shell.choices.aimGuide);
    CCamera& camera = shell.camera;
    if (camera.mode != CCamera::ModeFree) {
        camera.angle = RackHeading;
        camera.pitchAngle = OrbitAimPitch;
        camera.distance = OrbitAimDistance;
    }
    camera.look = ToScene(game.Balls()[game.CueEntry()].position);
    leftHeld = shell.mouse.button == SDL_BUTTON_LEFT;
}

void CTableScreen::PaceThinking(float dt)
{
    if (game.ComputerStage() == CComputerTurn::Thinking && dt < ThinkFrameSeconds)
        SDL_Delay(static_cast<Uint32>((ThinkFrameSeconds - dt) * 1000.0f));
}

void CTableScreen::Update(float dt)
{
    CMouse& mouse = shell.mouse;
    // A network game holds the pointer only for the turn at this machine: two
    // games on one display hand it to each other (X lets one window grab it).
    if (net && shell.mouse.grabbed != net->LocalToPlay()) {
        if (!net->LocalToPlay())
            shell.GrabPointer(false);
        else if (!shell.TryGrabPointer() && !grabWaitLogged) {
            LogEvent("net: your turn; the pointer is held by another window");
            grabWaitLogged = true;
        }
    }
    if (net && shell.mouse.grabbed)
        grabWaitLogged = false;
    game.SetContactSink(shell.sound.IsOpen() ? &shell.contactSounds : nullptr);
    if (!game.ReplayPlaying()) {
        if (MayPlay()) {
            ControlShot();
        } else {
            // The player's buttons play no part until the turn comes back: a
            // button held through it aims only after a release.
            leftPressed = false;
            aiming = false;
            if (mouse.button == SDL_BUTTON_LEFT)
                leftHeld = true;
        }
    }
    game.NoteCueHeading(DegreesPerRadian * aimAngle);
    if (net)
        NetworkFrame(dt);
    else
        game.Update(dt);
    TakeEvents();
    PaceThinking(dt);
    MoveCamera(dt);
    if (aiming)
        pull = std::clamp(pull + static_cast<float>(mouse.dy) / PullPixels, 0.0f, 1.0f);
    PoseCue();
    UpdateGuide();
    Ball drawn[BallSlots];
    game.DrawnBalls(drawn);
    // The opponent's cue ball where their hand holds it.
    if (net && net->OpponentAiming() && net->OpponentAim().hand &&
        game.Phase() == CPlaySession::InHand)
        drawn[game.CueEntry()].position = net->OpponentAim().cue;
    SetBallsCoords(&shell.objects, drawn);
    bool shown[BallSlots] = {};
    for (int k = FirstBall; k <= LastBall; ++k)
        shown[k] = game.Session().Shown(k);
    SetBallsShown(&shell.objects, shown);
    mouse.dx = 0;
    mouse.dy = 0;
}

void CTableScreen::MoveCamera(float dt)
{
    CCamera& camera = shell.camera;
    const CMouse& mouse = shell.mouse;
    const bool computerAims = game.ComputerStage() == CComputerTurn::Aiming;
    if (game.ReplayPlaying() || !MayPlay())
        camera.state = computerAims                       ? CCamera::StateFrozen
                       : mouse.button == SDL_BUTTON_RIGHT ? CCamera::StateZoom
                                                          : CCamera::StateRotate;
    if (computerAims) {
        // The view swings behind the cue with the computer's aim.
        aimAngle = game.Computer().CueHeading() / DegreesPerRadian;
        if (!topView && camera.mode != CCamera::ModeFree)
            camera.angle = aimAngle;
    }
    if (camera.mode == CCamera::ModeFree) {
        camera.KeyMove(dt);
        camera.Move(mouse.dx, mouse.dy);
        if (!computerAims)
            aimAngle = camera.angle;
        return;
    }
    if (topView) {
        // The table stays put; the mouse turns the aim alone.
        if (camera.state == CCamera::StateRotate && game.Phase() == CPlaySession::Aim &&
            MayPlay()) {
            OrbitFeel feel;
            feel.invert = shell.settings.invertAim;
            feel.fine = (SDL_GetModState() & KMOD_SHIFT) != 0;
            aimAngle += OrbitTurn(static_cast<float>(mouse.dx), camera.rotateSpeed, feel);
        }
        camera.look = vec3();
        camera.angle = TopHeading;
        camera.pitchAngle = TopPitch;
        camera.distance = TopDistance;
        camera.Update(true);
        return;
    }
    // The orbit follows the cue ball: gliding while it rolls, settling once
    // everything rests; a replay does not pull it.
    if (!game.ReplayPlaying()) {
        const vec3 target =
            ToScene(game.Phase() == CPlaySession::InHand ? game.Session().hand
                                                         : game.Balls()[game.CueEntry()].position);
        const bool rolling = game.Phase() == CPlaySession::Rolling;
        const float gap = Length(target - camera.look);
        const float rate = rolling ? RollFollowRate + RollCatchUp * gap : FollowRate;
        const float f = std::min(1.0f, rate * dt);
        camera.look += (target - camera.look) * f;
    }
    OrbitFeel feel;
    feel.invert = shell.settings.invertAim;
    feel.fine = (SDL_GetModState() & KMOD_SHIFT) != 0;
    MoveOrbit(camera, static_cast<float>(mouse.dx), static_cast<float>(mouse.dy), feel, 0.0f);
    // Nor may the zoom leave the room.
    const float reach = RoomReach(camera.look, camera.Direction(), RoomHalfX - RoomMargin,
                                  RoomHalfY - RoomMargin, OrbitEyeAboveCloth, RoomTop - RoomMargin);
    camera.distance = std::min(camera.distance, reach);
    camera.Update(true);
    if (!computerAims)
        aimAngle = camera.angle;
}

void CTableScreen::PoseCue()
{
    CCue* cue = shell.cue;
    if (!cue)
        return;
    int state = CueHidden;
    float drawnBack = CueMinPower;
    float heading = DegreesPerRadian * aimAngle;
    cueSpeed = SoftestShotSpeed;
    if (game.ReplayPlaying()) {
        state = CueHidden;
    } else if (game.ComputerStage() == CComputerTurn::Aiming) {
        state = CueAiming;
        drawnBack = game.Computer().CuePower();
        heading = game.Computer().CueHeading();
        cueSpeed = SpeedOfPower(drawnBack);
    } else if (net && net->OpponentAiming()) {
        // The opponent's cue as they hold it, a few updates a second.
        const AimMessage& a = net->OpponentAim();
        state = a.hand ? CueHidden : a.power > 0.0f ? CueAiming : CueResting;
        drawnBack = a.power > 0.0f ? a.power : CueMinPower;
        heading = a.heading;
        cueSpeed = a.power > 0.0f ? SpeedOfPull(PullOfCuePower(a.power)) : 0.0f;
    } else if (MayPlay() && game.Phase() == CPlaySession::Aim) {
        state = aiming ? CueAiming : CueResting;
        // The cue comes back over its own travel as the pull grows.
        drawnBack = aiming ? CuePowerOfPull(pull) : CueMinPower;
        cueSpeed = SpeedOfPull(aiming ? pull : 0.0f);
    }
    cue->state = state;
    cue->SetPower(drawnBack);
    cue->angle = heading;
}

void CTableScreen::UpdateGuide()
{
    if (aimGuide == AimGuideOff || !MayPlay() || game.Phase() != CPlaySession::Aim ||
        game.ReplayPlaying()) {
        guide.Reset();
        return;
    }
    const double t0 = MonotonicSeconds();
    const float drawnBack = aiming ? pull : 0.0f;
    const float key[4] = {aimAngle, drawnBack, strike.side, strike.top};
    const bool idle = !guide.Shown() && !guide.Busy();
    if (idle || std::memcmp(key, guideKey, sizeof key) != 0) {
        std::copy(key, key + 4, guideKey);
        // Exactly the command a release would strike now.
        ShotCommand c;
        c.heading = DegreesPerRadian * aimAngle;
        c.speed = SpeedOfPull(drawnBack);
        c.strike = strike;
        guide.Begin(game.Balls(), game.Session().table, game.CueEntry(), c, aimGuide);
    }
    while (guide.Busy() && MonotonicSeconds() - t0 < GuideBudgetSeconds)
        guide.Step(1);
    const double seconds = MonotonicSeconds() - t0;
    guideWorst = std::max(guideWorst, seconds);
    guideTotal += seconds;
    ++guideFrames;
    guideSlowFrames += seconds > 0.001;
}

void CTableScreen::ReportGuideTiming() const
{
    if (guideFrames > 0)
        fprintf(stderr,
                "baizeline-timing: aim guide %.3f ms a frame on average, at most %.3f ms, %ld of "
                "%ld frames over 1 ms\n",
                1000.0 * guideTotal / static_cast<double>(guideFrames), 1000.0 * guideWorst,
                guideSlowFrames, guideFrames);
}

void CTableScreen::DrawGuide() const
{
    const AimPrediction* p = guide.Shown();
    if (aimGuide == AimGuideOff || !p || game.Phase() != CPlaySession::Aim ||
        game.ReplayPlaying() || !MayPlay())
        return;
    const vec3 from = game.Balls()[game.CueEntry()].position;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST); // balls and rails hide the lines behind them
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity(); // the camera's view lives in GL_PROJECTION
    glLineWidth(1.5f);
    if (aimGuide >= AimGuidePaths) {
        glColor3f(0.55f, 0.55f, 0.7f);
        for (int k = FirstBall; k <= LastBall; ++k) {
            const std::vector<vec3>& path = p->path[k];
            if (path.size() < 2)
                continue;
            // A path ends where its ball leaves the cloth for a pocket.
            const ClothBox box = PlayClothBox();
            glBegin(GL_LINE_STRIP);
            for (const vec3& q : path) {
                if (std::fabs(q.x) > box.halfX + 1e-4f || std::fabs(q.y) > box.halfY + 1e-4f)
                    break;
                Vertex(q);
            }
            glEnd();
        }
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    if (p->target < 0) {
        Line(from, p->cueStop);
    } else {
        Line(from, p->ghost);
        // The ghost: the cue ball where it meets the target, level and upright across the aim.
        vec3 along = p->ghost - from;
        along.z = 0.0f;
        const float len = Length(along);
        const vec3 ahead = len > 0.0f ? along / len : vec3(1.0f, 0.0f, 0.0f);
        const vec3 up(0.0f, 0.0f, 1.0f);
        Circle(p->ghost, BallRadius, ahead, Cross(up, ahead));
        Circle(p->ghost, BallRadius, Cross(up, ahead), up);
        glColor3f(1.0f, 0.9f, 0.2f);
        Heading(p->targetAt, p->targetAfter, 0.5f);
        glColor3f(0.5f, 0.85f, 1.0f);
        Heading(p->ghost, p->cueAfter, 0.5f);
    }
    glPopMatrix();
    glPopAttrib();
}

void CTableScreen::Draw()
{
    shell.DrawScene();
    DrawOverlays();
}

void CTableScreen::DrawOverlays()
{
    DrawGuide();
    shell.ShowStatus(false);
    HudView view;
    view.width = shell.HudWidth();
    view.height = shell.HudHeight();
    CCue* cue = shell.cue;
    view.cueAiming = cue && cue->state == CueAiming;
    view.cueSpeed = cueSpeed;
    view.strike = strike;
    view.replaySlow = replaySlow;
    view.question = Question();
    if (net) {
        view.network = true;
        view.localSide = net->LocalSide();
        view.netLine = NetHudLine(*net, listenAddresses);
        view.netNotice = net->Notice();
        // The diagram shows the opponent's strike point while they aim.
        if (net->OpponentAiming())
            view.strike = net->OpponentAim().strike;
    }
    // The help covers the table's middle: the HUD and the credits give it the window.
    if (shell.showHelp) {
        shell.DrawHud(HelpPane(game.Mode(), view.width, view.height));
        return;
    }
    shell.DrawHud(PlayHud(game, view));
    if (shell.showCredits)
        shell.DrawHud(CreditsPane(CreditsText));
}
