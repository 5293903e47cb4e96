// CScreen: one screen of the shell: actions and buttons in, a frame's update and drawing.
#pragma once

#include "app/Controls.h"

// The shell turns SDL's events into the mouse record (CGame::mouse) and into
// actions through the controls table, then hands them to the screen on show;
// each frame it calls Update, then Draw. Screens live as long as the shell.
class CScreen {
public:
    virtual ~CScreen() = default;
    // Now on show; `mode` is the game it shows ([Game] Mode's numbers).
    virtual void Enter(int mode) { (void)mode; }
    // An action the shell does not take itself.
    virtual void Act(Action action) { (void)action; }
    // A mouse button (wheel notches excluded) went down or came up.
    virtual void Button(int button, bool down)
    {
        (void)button;
        (void)down;
    }
    // One frame of `dt` seconds; the mouse record holds the frame's motion.
    virtual void Update(float dt) = 0;
    // The whole frame: scene, then overlays.
    virtual void Draw() = 0;
};
