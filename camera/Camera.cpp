// CCamera: orbit and free camera, and the projection/view it loads every time it changes.
#include "camera/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "physics/Units.h"

static const float PitchLimit = 1.5f;  // rad, just short of straight up or down
static const float MinDistance = 2.0f;
static const float MaxDistance = 1000.0f;
static const float MinHeight = 2.0f;   // free camera, scene units
static const float MaxHeight = 200.0f;

CCamera::CCamera()
    : position(50.0f, 0.0f, 10.0f), look(), pitchAngle(0.0f), angle(Pi), distance(60.0f),
      rotateSpeed(0.003f), zoomSpeed(1.0f), turnSpeed(2.0f), climbSpeed(5.0f), moveSpeed(25.0f),
      state(StateRotate), mode(0)
{
}

vec3 CCamera::Direction() const
{
    const double heading = angle;
    const double pitch = pitchAngle;
    const double c = std::cos(pitch);
    return vec3(static_cast<float>(std::cos(heading) * c), static_cast<float>(std::sin(heading) * c),
                static_cast<float>(std::sin(pitch)));
}

void CCamera::Derive()
{
    const vec3 d = Direction();
    const double s = distance;
    if (mode == ModeFree) {
        look = vec3(static_cast<float>(position.x + s * d.x), static_cast<float>(position.y + s * d.y),
                    static_cast<float>(position.z + s * d.z));
    } else {
        position = vec3(static_cast<float>(look.x - s * d.x), static_cast<float>(look.y - s * d.y),
                        static_cast<float>(look.z - s * d.z));
    }
}

void CCamera::Apply() const
{
    // The view lives in the projection matrix; objects draw with their own model-view.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, aspect, 1.0, 5000.0);
    gluLookAt(position.y, position.z, position.x, look.y, look.z, look.x, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
}

void CCamera::Update(bool recompute)
{
    if (recompute)
        Derive();
    Apply();
}

void CCamera::Move(int dx, int dy)
{
    if (state == StateRotate) {
        // The free camera turns the way the mouse goes; the orbit camera swings
        // the eye the other way round the look point.
        if (mode == ModeFree)
            angle -= dx * rotateSpeed;
        else
            angle += dx * rotateSpeed;
        pitchAngle = std::clamp(pitchAngle - dy * rotateSpeed, -PitchLimit, PitchLimit);
    } else if (state == StateZoom) {
        distance = std::clamp(distance + dy * zoomSpeed, MinDistance, MaxDistance);
    }
    Update(true);
}

void CCamera::KeyMove(float dt)
{
    const Uint8* keys = SDL_GetKeyState(nullptr);
    // Forward motion uses the heading from before this call's turn.
    const float step = dt * moveSpeed;
    const float forwardX = step * std::cos(angle);
    const float forwardY = step * std::sin(angle);
    if (keys[SDLK_UP]) {
        position.x += forwardX;
        position.y += forwardY;
    }
    if (keys[SDLK_DOWN]) {
        position.x -= forwardX;
        position.y -= forwardY;
    }
    if (keys[SDLK_LEFT])
        angle += dt * turnSpeed;
    if (keys[SDLK_RIGHT])
        angle -= dt * turnSpeed;
    if (keys[SDLK_KP_PLUS])
        position.z += dt * climbSpeed;
    if (keys[SDLK_KP_MINUS])
        position.z -= dt * climbSpeed;
    position.z = std::clamp(position.z, MinHeight, MaxHeight);
    Update(true);
}

double WindowAspect(int width, int height)
{
    if (width <= 0 || height <= 0)
        return ViewAspect;
    return static_cast<double>(width) / static_cast<double>(height);
}
