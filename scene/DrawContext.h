// DrawContext: what the scene's objects need to know of the frame they are drawn in.
#pragma once

#include "physics/Vec3.h"

// Filled by whoever draws the scene, once a frame: the objects read nothing else
// of the application.
struct DrawContext {
    vec3 eye;           // the camera's position, scene units: a ball's detail falls with distance
    bool debug = false; // the debug view: pockets and the balls' bounds are drawn
};
