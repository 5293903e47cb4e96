// Collects points, texture coordinates and faces of one mesh and turns them
// into a lib3ds mesh. Positions are model units (5 cm), z up.
#pragma once

#include "physics/Vec3.h"
#include "tools/assetgen/Triangulate.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

typedef struct Lib3dsMesh Lib3dsMesh;

// Smoothing groups: lib3ds averages a corner's normal over the faces sharing
// its point and a smoothing bit. Flat faces use none: each keeps its own normal.
constexpr uint32_t kFlat = 0;
constexpr uint32_t kSmooth = 1;

struct MeshFace {
    int a, b, c;          // counter-clockwise seen from the side the face shows
    std::string material;
    uint32_t smoothing;
};

// Texture coordinates as a function of a position in model units.
using TexelMap = std::function<Vec2(const vec3&)>;

class CMeshBuilder {
public:
    // Adds a point with its texture coordinates (s, t: t = 0 is the picture's
    // top row); answers its index.
    int AddPoint(const vec3& p, float s, float t);
    void AddFace(int a, int b, int c, const std::string& material, uint32_t smoothing = kFlat);

    // A flat horizontal piece at height z, facing up (+z) or down. Texture
    // coordinates from `map`.
    void AddFlat(const Outline& outer, const std::vector<Outline>& holes, float z, bool facingUp,
                 const std::string& material, const TexelMap& map);

    // A four-cornered flat face p0 p1 p2 p3, counter-clockwise seen from its front.
    void AddQuad(const vec3& p0, const vec3& p1, const vec3& p2, const vec3& p3,
                 const std::string& material, const TexelMap& map, uint32_t smoothing = kFlat);

    // A vertical wall standing on the path `path` (x, y) from z0 up to z1,
    // facing to the left of the direction of travel (right-hand side if
    // `faceRight`). One quad per path segment; texture s runs along the path
    // (model units times sScale), t down the wall (t = (z1 - z) times tScale).
    void AddWall(const std::vector<Vec2>& path, float z0, float z1, bool faceRight,
                 const std::string& material, float sScale, float tScale, uint32_t smoothing);

    size_t FaceCount() const { return faces.size(); }
    size_t PointCount() const { return points.size(); }
    const std::vector<MeshFace>& Faces() const { return faces; }

    // A new lib3ds mesh with an identity matrix; the caller owns it.
    // Throws std::runtime_error when it has more points than a 3DS mesh can index.
    Lib3dsMesh* Build(const std::string& name) const;

private:
    std::vector<vec3> points;
    std::vector<Vec2> texels;
    std::vector<MeshFace> faces;
};
