// CFreeTableScreen: shot control, 25 passes on the global balls, camera and cue; the re-rack.
#include "app/FreeTableScreen.h"

#include <vector>

#include "app/Game.h"
#include "app/GameLevel.h"
#include "app/PlayHud.h"
#include "game/EventLog.h"
#include "physics/Ball.h"
#include "app/SceneSync.h"
#include "physics/ShotTuning.h"
#include "physics/Simulation.h"
#include "physics/Units.h"
#include "scene/Ball.h"
#include "scene/Cue.h"

namespace {

// Simulation passes per frame; each is at most 4 ms of simulated time.
const int PassesPerFrame = 25;

} // namespace

CFreeTableScreen::CFreeTableScreen(CGame& shell_) : shell(shell_)
{}

void CFreeTableScreen::ControlShot()
{
    CCue* cue = shell.cue;
    CCamera& camera = shell.camera;
    const int button = shell.mouse.button;
    if (button == SDL_BUTTON_LEFT) {
        camera.state = CCamera::StateFrozen;
        if (cue)
            cue->state = CueAiming;
    } else if (button == SDL_BUTTON_RIGHT) {
        camera.state = CCamera::StateZoom;
    } else {
        camera.state = CCamera::StateRotate;
        // The left button has just been let go: strike.
        if (cue && cue->state == CueAiming) {
            cue->state = CueStruck;
            if (cue->ball)
                ShootFromScene(*cue->ball, shell.objects, cue->angle,
                               ShotSpeedPerPower * cue->power);
            cue->SetPower(0.0f);
        }
    }
}

void CFreeTableScreen::Update(float)
{
    CCamera& camera = shell.camera;
    CMouse& mouse = shell.mouse;
    CCue* cue = shell.cue;
    ControlShot();
    Start(static_cast<double>(shell.frameTime), PassesPerFrame);
    if (camera.mode == CCamera::ModeFree)
        camera.KeyMove(shell.frameTime);
    camera.Move(mouse.dx, mouse.dy);
    if (cue) {
        // Moving the mouse toward the bottom of the screen pulls the cue back.
        if (cue->state == CueAiming)
            cue->SetPower(cue->power + mouse.dy * PowerPerPixel);
        // The cue always points where the camera looks.
        cue->angle = DegreesPerRadian * camera.angle;
    }
    mouse.dx = 0;
    mouse.dy = 0;
}

void CFreeTableScreen::Act(Action action)
{
    if (action == Action::Rerack)
        Rerack();
}

void CFreeTableScreen::Rerack()
{
    if (!shell.cueBall)
        return;
    int number = 1;
    std::vector<vec3> spots(16);
    spots[0] = vec3(10.0f, 0.0f, 1.0f);
    for (int row = 0; row < RackRows; ++row)
        for (int j = 0; j < RackRows - row; ++j)
            spots[number++] = RackPosition(row, j);
    for (CObject* object : shell.objects.items)
        if (object && object->type == ObjectBall) {
            CBall* b = static_cast<CBall*>(object);
            b->position = spots[b->number >= 0 && b->number <= 15 ? b->number : 0];
            b->velocity = vec3();
        }
    GetBallsCoords(&shell.objects);
    for (int k = FirstBall; k <= LastBall; ++k)
        ball[k].angularVelocity = vec3();
    if (shell.cue)
        shell.cue->state = CueResting;
    shell.camera.look = shell.cueBall->position;
    LogEvent("free table: racked");
}

void CFreeTableScreen::Draw()
{
    shell.DrawScene();
    shell.ShowStatus();
    if (shell.showHelp)
        DrawOverlay(HelpPane(ModeFreeTable, shell.width, shell.height), shell.font, shell.width,
                    shell.height);
}
