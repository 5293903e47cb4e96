// The cue's sections, shared by the cue picture and the cue model: where each
// lies along the cue, how thick it is and which columns of cue.bmp it uses.
#pragma once

#include <vector>

struct CueSection {
    const char* material; // material name in cue.3ds
    float y0, y1;         // model units along the cue, from the tip (0) to the butt
    float r0, r1;         // radius at y0 and y1, model units
    float u0, u1;         // texture s at y0 and y1: fractions of cue.bmp's width
    int bands;            // rings of faces along the section
};

// Tip, ferrule, shaft, joint, forearm, wrap, sleeve, bumper: tip first.
const std::vector<CueSection>& CueSections();
