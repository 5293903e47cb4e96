// The standard views of the preview: where the eye is, what it looks at, how the balls lie.
#pragma once

#include "physics/Vec3.h"

#include <vector>

struct PreviewView {
    const char* name; // file name without ".png"
    vec3 eye, look;   // scene units: x along the table, y across, z up
    bool lineUp;      // balls in two rows, digits toward the eye, and no cue
};

const std::vector<PreviewView>& PreviewViews();

// Where the line-up puts ball `number` (0 the cue ball, 1 to 15): two rows along
// x at the table's centre, solids on the cloth, stripes and the cue ball above.
vec3 LineUpPosition(int number);

// The line-up's turn of every ball, as a CBall rotation vector: −90° about
// OpenGL x (scene y) brings the sphere's +z, its digits' up, to OpenGL up, and
// its +x disc to face scene +y, where the line-up view's eye is.
extern const vec3 LineUpTurn;
