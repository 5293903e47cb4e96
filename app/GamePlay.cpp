// CGame's play modes: switching and re-racking, the shot cycle with its lock, cancel and hand, the following camera, the HUD.
#include "app/Game.h"
#include "app/GameLevel.h"
#include "app/PixelOverlay.h"
#include "app/StdoutLog.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "physics/Ball.h"
#include "physics/SceneSync.h"
#include "physics/Simulation.h"
#include "physics/TableGeometry.h"
#include "play/PlayShot.h"
#include "scene/Ball.h"
#include "scene/Cue.h"
#include "scene/Table.h"

namespace {

const int PassesPerFrame = 25;
const float ShotSpeedPerPower = 10.0f; // as the free table's shot
const float PowerPerPixel = 0.1f;
// Cue ball in hand: metres per pixel of mouse motion.
const float HandPerPixel = 0.0015f;
// The look point closes this fraction of its gap to the cue ball per second
// (exponentially): about a quarter of a second to settle.
const float FollowRate = 8.0f;
// The eye stays this high above the cloth (scene units: cushion tops are at
// 1.2, rails at 1.5) and this far inside the room's walls, floor and ceiling.
const float EyeAboveCloth = 2.5f;
const float RoomMargin = 10.0f;
// The room as LoadData builds it, scene units: x ±200, y ±250, z −26.5..173.5.
const float RoomHalfX = 200.0f, RoomHalfY = 250.0f, RoomTop = 173.5f;
// The top view: straight enough down to read the table, far enough up to see all of it.
const float TopPitch = -1.5f;
const float TopDistance = 75.0f;
const float TopHeading = 1.5707964f;

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

// One line on standard output per play event, as the level load reports its
// lights: a record for the player's terminal and for black-box tests.
void Report(const char* format, const char* text = "", int number = 0)
{
    LogLine(format, text, number);
}

} // namespace

void CGame::SetMode(int newMode)
{
    if (newMode < ModeFreeTable || newMode >= ModeCount)
        return;
    if (table)
        table->UsePlayModel(newMode != ModeFreeTable);
    mode = newMode;
    topView = false;
    nextBreaker = 0;
    static const char* const names[ModeCount] = {"free table", "practice", "8-ball", "9-ball"};
    Report("mode %s\n", names[newMode]);
    Rerack();
}

void CGame::Rerack()
{
    if (!cueBall)
        return;
    // A decision under way belongs to the rack that ends here.
    opponent.Cancel();
    computerStage = ComputerIdle;
    if (mode == ModeFreeTable) {
        // The level's own layout: the cue ball where CBall puts it, the loose rack.
        int number = 1;
        std::vector<vec3> spots(16);
        spots[0] = vec3(10.0f, 0.0f, 1.0f);
        for (int row = 0; row < RackRows; ++row)
            for (int j = 0; j < RackRows - row; ++j)
                spots[number++] = RackPosition(row, j);
        for (CObject* object : objects.items)
            if (object && object->type == ObjectBall) {
                CBall* b = static_cast<CBall*>(object);
                b->position = spots[b->number >= 0 && b->number <= 15 ? b->number : 0];
                b->velocity = vec3();
            }
        GetBallsCoords(&objects);
        for (int k = FirstBall; k <= LastBall; ++k)
            ball[k].angularVelocity = vec3();
        if (cue)
            cue->state = CueResting;
        Report("free table: racked\n");
    } else {
        if (RulesMode())
            NewRulesRack();
        else
            play.Rack(ball, static_cast<unsigned>(rand()));
        // Potted balls' records were moved off the table: give the scene
        // the new rack before the next pass does.
        for (int k = FirstBall; k <= LastBall; ++k)
            if (ball[k].radius == 0.0f)
                ball[k].radius = BallRadius;
        SetBallsCoords(&objects);
        if (cue) {
            cue->state = CueHidden;
            cue->SetPower(0.0f);
        }
        // Behind the cue ball, looking up the table at the rack.
        if (camera.mode != CCamera::ModeFree) {
            camera.angle = 3.1415927f;
            camera.pitchAngle = -0.2f;
        }
        if (!RulesMode())
            Report("practice: racked\n");
    }
    camera.look = cueBall->position;
    leftHeld = mouse.button == SDL_BUTTON_LEFT;
    FeelRerack();
}

void CGame::ToggleTopView()
{
    topView = !topView;
    Report("top view %s\n", topView ? "on" : "off");
    // Back from above, the orbit looks along the aim chosen there.
    if (!topView) {
        camera.angle = aimAngle;
        camera.pitchAngle = -0.2f;
        camera.distance = 60.0f;
    }
}

void CGame::CancelAim()
{
    if (cue && cue->state == CueAiming) {
        cue->state = CueResting;
        cue->SetPower(0.0f);
        Report("practice: aim cancelled\n");
    }
    // The held button aims again only after it has been let go.
    leftHeld = true;
}

void CGame::ControlPlayShot()
{
    const bool left = mouse.button == SDL_BUTTON_LEFT;
    const bool pressed = leftPressed;
    leftPressed = false;
    if (!left)
        leftHeld = false;

    if (play.phase == CPlaySession::InHand) {
        camera.state = CCamera::StateFrozen;
        if (cue)
            cue->state = CueHidden;
        // Moves in the view's frame: right on the screen, and away from the eye.
        const float c = std::cos(topView ? TopHeading : camera.angle);
        const float s = std::sin(topView ? TopHeading : camera.angle);
        const float right = mouse.dx * HandPerPixel, away = -mouse.dy * HandPerPixel;
        handVerdict = play.MoveHand(ball, right * s + away * c, -right * c + away * s);
        if (pressed) {
            handVerdict = play.PlaceHand(ball);
            leftHeld = true; // the click that placed it does not aim
            if (handVerdict == Placement::Allowed)
                Report("practice: cue ball placed\n");
            else
                Report("practice: cue ball not placed: %s\n", PlacementText(handVerdict));
        }
        return;
    }
    if (play.phase != CPlaySession::Aim) {
        // Balls still move: no cue, and a button held now aims only after a release.
        if (cue)
            cue->state = CueHidden;
        if (left)
            leftHeld = true;
        camera.state = mouse.button == SDL_BUTTON_RIGHT ? CCamera::StateZoom : CCamera::StateRotate;
        return;
    }
    if (left && !leftHeld) {
        camera.state = CCamera::StateFrozen;
        if (cue && cue->state != CueAiming) {
            cue->state = CueAiming;
            Report("practice: aiming\n");
        }
        return;
    }
    camera.state = mouse.button == SDL_BUTTON_RIGHT ? CCamera::StateZoom : CCamera::StateRotate;
    if (!cue)
        return;
    if (cue->state == CueAiming && mouse.button == 0) {
        cue->state = CueStruck;
        play.Strike(ball, ShotVelocity(DegreesPerRadian * aimAngle, ShotSpeedPerPower * cue->power));
        OnStrike();
        cue->SetPower(0.0f);
        Report("practice: shot %s%d\n", "", play.shots);
    } else if (cue->state != CueAiming) {
        cue->state = CueResting;
    }
}

void CGame::MovePlayCamera(float dt)
{
    if (camera.mode == CCamera::ModeFree) {
        camera.KeyMove(dt);
        camera.Move(mouse.dx, mouse.dy);
        aimAngle = camera.angle;
        return;
    }
    if (topView) {
        // The table stays put; the mouse turns the aim alone.
        if (camera.state == CCamera::StateRotate && play.phase == CPlaySession::Aim)
            aimAngle += mouse.dx * camera.rotateSpeed;
        camera.look = vec3();
        camera.angle = TopHeading;
        camera.pitchAngle = TopPitch;
        camera.distance = TopDistance;
        camera.Update(true);
        return;
    }
    // Once everything rests the orbit glides to the cue ball.
    if (play.phase != CPlaySession::Rolling && cueBall) {
        const vec3 target = play.phase == CPlaySession::InHand ? ToScene(play.hand) : cueBall->position;
        const float f = std::min(1.0f, FollowRate * dt);
        camera.look += (target - camera.look) * f;
    }
    camera.Move(mouse.dx, mouse.dy); // rotates or zooms by state, then derives the eye
    // The eye stays above the cloth: the pitch may not look up past the line
    // from the look point to the lowest allowed eye, nor the zoom leave the room.
    const float lowest = std::asin(std::clamp((camera.look.z - EyeAboveCloth) / camera.distance, -1.0f, 1.0f));
    camera.pitchAngle = std::min(camera.pitchAngle, lowest);
    const float reach = RoomReach(camera.look, camera.Direction(), RoomHalfX - RoomMargin, RoomHalfY - RoomMargin,
                                  EyeAboveCloth, RoomTop - RoomMargin);
    camera.distance = std::min(camera.distance, reach);
    camera.Update(true);
    aimAngle = camera.angle;
}

void CGame::MovePlay(float dt)
{
    if (MoveFeelBefore(dt))
        return;
    fps.Add(1.0f / dt);
    frameTime = dt;
    if (RulesMode() && (match.rules.RackOver() || match.ComputerToPlay()))
        ControlComputer();
    else
        ControlPlayShot();
    Start(ball, play.table, static_cast<double>(frameTime), PassesPerFrame);
    const bool rolling = play.phase == CPlaySession::Rolling;
    play.Advance(ball, frameTime);
    if (rolling && play.phase != CPlaySession::Rolling) {
        std::string potted;
        for (const ShotEvents::Pot& p : play.events.potted)
            potted += " " + std::to_string(p.ball);
        Report("practice: shot over, potted:%s\n", potted.empty() ? " none" : potted.c_str());
        if (RulesMode())
            EndRulesShot();
    }
    SetBallsCoords(&objects);
    MovePlayCamera(frameTime);
    if (cue) {
        if (cue->state == CueAiming)
            cue->SetPower(cue->power + mouse.dy * PowerPerPixel);
        cue->angle = DegreesPerRadian * aimAngle;
    }
    MoveFeelAfter(rolling, frameTime);
    if (RulesMode())
        ShowComputerAim();
    mouse.dx = 0;
    mouse.dy = 0;
}

void CGame::ShowPlayHud()
{
    // Under the frame rate, above the table; the credits keep the bottom left.
    const float line = 14.0f;
    float y = height - 28.0f;
    glColor3f(1.0f, 1.0f, 1.0f);
    font.Print(10.0f, y, "F1 help  F2 free table  F3 practice  F4 8-ball  F5 9-ball  O opponent  R re-rack  T top view  P replay");
    y -= line;
    if (RulesMode()) {
        ShowRulesHud(y);
    } else {
        std::string potted;
        for (int n : play.tray)
            potted += (potted.empty() ? "" : " ") + std::to_string(n);
        glColor3f(1.0f, 1.0f, 0.6f);
        font.Print(10.0f, y, "Practice   shots: %d   potted: %s", play.shots, potted.empty() ? "none" : potted.c_str());
        y -= line;
        if (play.phase == CPlaySession::InHand)
            font.Print(10.0f, y, "Ball in hand: move the mouse, left click to place%s%s",
                       handVerdict == Placement::Allowed ? "" : "  -  ", PlacementText(handVerdict));
        else if (play.tray.size() >= 15 && play.phase == CPlaySession::Aim)
            font.Print(10.0f, y, "Table cleared: R re-racks");
    }
    glColor3f(1.0f, 1.0f, 1.0f);

    if (!cue || cue->state != CueAiming)
        return;
    // The power bar: a frame and a fill by the cue's power, bottom right.
    const float fraction = (cue->power - CueMinPower) / (CueMaxPower - CueMinPower);
    const float x0 = width - 40.0f, y0 = 40.0f, w = 16.0f, h = 200.0f;
    BeginPixelOverlay(width, height);
    glColor3f(0.2f, 0.2f, 0.2f);
    glRectf(x0, y0, x0 + w, y0 + h);
    glColor3f(0.3f + 0.7f * fraction, 1.0f - 0.7f * fraction, 0.1f);
    glRectf(x0 + 2.0f, y0 + 2.0f, x0 + w - 2.0f, y0 + 2.0f + (h - 4.0f) * fraction);
    EndPixelOverlay();
}
