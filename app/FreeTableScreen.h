// CFreeTableScreen: the free table, played exactly as it always has been.
#pragma once

#include "app/Screen.h"

class CGame;

// Works on the shell's scene objects, camera, mouse and the physics' global
// `ball` array, which the passes hand back to the scene after every pass.
class CFreeTableScreen : public CScreen {
public:
    explicit CFreeTableScreen(CGame& shell);

    // The level's own layout again: the cue ball where CBall puts it, the loose rack.
    void Rerack();
    void Act(Action action) override;
    // The mouse button into camera and cue states, the shot on release, the
    // passes, the camera, the cue's power and angle.
    void Update(float dt) override;
    void Draw() override;

private:
    void ControlShot();
    CGame& shell;
};
