// The table's top: bed, cushions, rails and sights; and its body: pockets,
// apron, underside and legs. Each function fills one mesh.
#pragma once

#include "tools/assetgen/MeshBuilder.h"

void BuildBed(CMeshBuilder& mesh);
void BuildCushions(CMeshBuilder& mesh);
void BuildRails(CMeshBuilder& mesh);
void BuildPockets(CMeshBuilder& mesh);
void BuildLegs(CMeshBuilder& mesh);
// The skirt's last face is the +y end of the apron; see TableModel.cpp.
void BuildSkirt(CMeshBuilder& mesh);

// A vertical wall on `path` from z0 to z1 whose front faces the side of the
// path's first segment where `toward` lies (or the other side if `away`).
void AddWallFacing(CMeshBuilder& mesh, const std::vector<Vec2>& path, float z0, float z1,
                   const Vec2& toward, bool away, const std::string& material, float scale,
                   uint32_t smoothing);
