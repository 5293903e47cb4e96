// CMouse: the mouse record that input handling fills and the frame update consumes.
#pragma once

struct CMouse {
    CMouse() : button(0), x(0), y(0), dx(0), dy(0), grabbed(false) {}

    int button;   // SDL number of the last button pressed; 0 after any release
    int x, y;     // last pointer position from a motion event, wrapped while grabbed
    int dx, dy;   // relative motion summed over the frame's readings, pixels; zeroed each frame
    bool grabbed; // input grabbed by the window: wrap x/y and read relative motion
};
