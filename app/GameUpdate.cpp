// CGame::Move: the per-frame update: frame rate, shot control, physics, camera and cue.
#include "app/Game.h"

#include "app/SceneSync.h"
#include "physics/Simulation.h"
#include "physics/Units.h"
#include "scene/Ball.h"
#include "scene/Cue.h"

// Simulation passes per frame; each is at most 4 ms of simulated time.
static const int PassesPerFrame = 25;
// A shot's speed, scene units per second, is this times the cue's power (2 to 15).
static const float ShotSpeedPerPower = 10.0f;
// Cue power gained per pixel of downward mouse motion while aiming.
static const float PowerPerPixel = 0.1f;

void CGame::ControlShot()
{
    if (mouse.button == SDL_BUTTON_LEFT) {
        camera.state = CCamera::StateFrozen;
        if (cue)
            cue->state = CueAiming;
    } else if (mouse.button == SDL_BUTTON_RIGHT) {
        camera.state = CCamera::StateZoom;
    } else {
        camera.state = CCamera::StateRotate;
        // The left button has just been let go: strike.
        if (cue && cue->state == CueAiming) {
            cue->state = CueStruck;
            if (cue->ball)
                ShootFromScene(*cue->ball, objects, cue->angle, ShotSpeedPerPower * cue->power);
            cue->SetPower(0.0f);
        }
    }
}

void CGame::Move(float dt)
{
    if (mode != ModeFreeTable) {
        MovePlay(dt);
        return;
    }
    fps.Add(1.0f / dt);
    frameTime = dt;
    ControlShot();
    Start(static_cast<double>(frameTime), PassesPerFrame);
    if (camera.mode == CCamera::ModeFree)
        camera.KeyMove(frameTime);
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
