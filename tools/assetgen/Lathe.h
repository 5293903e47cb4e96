// Surfaces of revolution (the cue, the table legs) for CMeshBuilder.
#pragma once

#include "tools/assetgen/MeshBuilder.h"

#include <string>
#include <vector>

struct LatheRing {
    float along;  // position along the axis, model units
    float radius; // 0 closes the surface in a single point
    float s;      // texture s of the ring
};

// The axis and its frame: e1 x e2 = axis (a right-handed triple of unit vectors).
struct LatheFrame {
    vec3 origin, axis, e1, e2;
};

// Adds the surface swept by the profile `rings` round the frame's axis, with
// `segments` points per ring. Faces show outward as long as the profile runs
// toward increasing `along` overall (a closing disc at either end faces away
// from the body). The texture t runs 0 -> 1 -> 0 round the axis, so the ring
// needs no seam of doubled points and the smoothing stays unbroken. All rings
// of one call share points; call again for a sharp edge.
void AddLathe(CMeshBuilder& mesh, const std::vector<LatheRing>& rings, const LatheFrame& frame,
              int segments, const std::string& material, uint32_t smoothing);
