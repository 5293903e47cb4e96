// CCamera: the player's view, an orbit camera around a look point or a free camera on the keys.
#pragma once

#include "physics/Vec3.h"

// The free table's view is always 4:3, whatever the window: a non-4:3 window
// stretches it. Computed in single precision, as the projection has always had it.
static constexpr double ViewAspect = static_cast<double>(4.0f / 3.0f);

// Scene coordinates: the first two components span the table's plane, the third
// is height. OpenGL gets a point (a, b, c) as (b, c, a).
class CCamera {
public:
    // What mouse motion does (`state`) and how the camera moves (`mode`).
    enum { StateFrozen = 0, StateRotate = 1, StateZoom = 2 };
    enum { ModeOrbit = 0, ModeFree = 1 };

    CCamera();

    // With `recompute`, derives the dependent point first (Derive); always loads
    // the projection and view (Apply). Every operation needs a current GL context.
    void Update(bool recompute);
    // Mouse motion in pixels (x right, y down): rotates in state 1, zooms in state 2.
    void Move(int dx, int dy);
    // Free-camera keys held now (arrows, keypad +/−), over `dt` seconds.
    void KeyMove(float dt);

    // Orbit mode places the eye from the look point, free mode the look
    // point from the eye, so that look − position = distance·Direction().
    void Derive();
    // Perspective (45°, `aspect`, near 1, far 5000) times the look-at transform
    // into GL_PROJECTION; leaves GL_MODELVIEW selected and untouched.
    void Apply() const;
    // Unit viewing direction from heading and pitch.
    vec3 Direction() const;

    vec3 position;      // eye, scene units
    vec3 look;          // point looked at
    float pitchAngle;   // rad, negative looks down; kept in [−1.5, 1.5] by Move
    float angle;        // rad, heading from the first axis toward the second; never wrapped
    float distance;     // eye to look point, scene units; kept in [2, 1000] by Move
    float rotateSpeed;  // rad per mouse pixel
    float zoomSpeed;    // scene units per mouse pixel
    float turnSpeed;    // rad/s, left/right arrows
    float climbSpeed;   // scene units/s, keypad +/−
    float moveSpeed;    // scene units/s, up/down arrows
    int state;          // 1 mouse rotates, 2 mouse zooms, anything else: mouse does nothing
    int mode;           // 1 free camera, anything else orbit; 0 until configured
    double aspect = ViewAspect; // width over height of the view: the play modes give the window's
};

// Width over height of a `width` × `height` window; 4:3 for a degenerate one.
double WindowAspect(int width, int height);
