// CCue: the cue stick, drawn at its ball, turned to the aim and pulled back by the power.
#pragma once

#include "physics/ShotTuning.h" // CueMinPower, CueMaxPower
#include "scene/Object.h"

class CBall;
class CObjectList;
class CTextureList;

// Drawing states of the cue.
enum {
    CueHidden = 0,
    CueResting = 1, // at the ball, 2 units back, in the world frame
    CueAiming = 2,  // at the ball, pulled back by the power less the ball's radius
    CueStruck = 3   // draws nothing and becomes hidden
};

// The move along OpenGL z (after the turn by the aiming angle, before the 4°
// tilt) that places the cue behind its ball: −2 at rest, radius − power while
// aiming, 0 in any other state.
float CueOffset(int state, float power, float radius);

class CCue : public CObject {
public:
    // Loads "data/cue.3ds", its textures into `textures`; throws the model
    // loader's errors.
    CCue(CObjectList* owner, CTextureList* textures);

    // Stores `power` limited to CueMinPower..CueMaxPower.
    void SetPower(float power);
    // Stores the angle and draws a white reference line from the origin 100
    // units along x in the current frame. The game never calls it: it writes `angle`.
    void Rotate(float angle);

    void Process(CObject* other) override;
    // The model by `state` (see the enum); states 1 and 2 draw nothing while
    // `ball` is null. State 3 becomes 0.
    void Draw(const DrawContext& context) override;

    CObjectList* owner; // the list given to the constructor; not owned
    float angle;        // aim in degrees about the vertical; written every frame
    float power;        // CueMinPower..CueMaxPower when set through SetPower
    CBall* ball;        // the ball the cue is drawn at and strikes; not owned
    int state;          // drawing state
};
