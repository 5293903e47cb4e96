// Collects points, texture coordinates and faces of one mesh and turns them
// into a lib3ds mesh.
#include "tools/assetgen/MeshBuilder.h"

#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

int CMeshBuilder::AddPoint(const vec3& p, float s, float t)
{
    points.push_back(p);
    texels.push_back(Vec2{s, t});
    return static_cast<int>(points.size()) - 1;
}

void CMeshBuilder::AddFace(int a, int b, int c, const std::string& material, uint32_t smoothing)
{
    faces.push_back(MeshFace{a, b, c, material, smoothing});
}

void CMeshBuilder::AddFlat(const Outline& outer, const std::vector<Outline>& holes, float z,
                           bool facingUp, const std::string& material, const TexelMap& map)
{
    Triangulation cut = Triangulate(outer, holes);
    std::vector<int> index;
    for (const Vec2& p : cut.points) {
        vec3 q{p.x, p.y, z};
        Vec2 st = map(q);
        index.push_back(AddPoint(q, st.x, st.y));
    }
    for (const auto& tri : cut.triangles) {
        if (facingUp)
            AddFace(index[tri[0]], index[tri[1]], index[tri[2]], material);
        else
            AddFace(index[tri[0]], index[tri[2]], index[tri[1]], material);
    }
}

void CMeshBuilder::AddQuad(const vec3& p0, const vec3& p1, const vec3& p2, const vec3& p3,
                           const std::string& material, const TexelMap& map, uint32_t smoothing)
{
    int i[4];
    const vec3* corner[4] = {&p0, &p1, &p2, &p3};
    for (int k = 0; k < 4; ++k) {
        Vec2 st = map(*corner[k]);
        i[k] = AddPoint(*corner[k], st.x, st.y);
    }
    AddFace(i[0], i[1], i[2], material, smoothing);
    AddFace(i[0], i[2], i[3], material, smoothing);
}

void CMeshBuilder::AddWall(const std::vector<Vec2>& path, float z0, float z1, bool faceRight,
                           const std::string& material, float sScale, float tScale,
                           uint32_t smoothing)
{
    // One column of two points per path point, shared by neighbouring quads
    // so smoothing can blend across them.
    std::vector<int> bottom, top;
    float along = 0.0f;
    for (size_t i = 0; i < path.size(); ++i) {
        if (i > 0)
            along += std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
        bottom.push_back(AddPoint(vec3{path[i].x, path[i].y, z0}, along * sScale, (z1 - z0) * tScale));
        top.push_back(AddPoint(vec3{path[i].x, path[i].y, z1}, along * sScale, 0.0f));
    }
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        // Walking from i to i+1, the order b_i, b_i+1, t_i+1, t_i is
        // counter-clockwise seen from the right-hand side.
        int b0 = bottom[i], b1 = bottom[i + 1], t0 = top[i], t1 = top[i + 1];
        if (!faceRight) {
            std::swap(b0, b1);
            std::swap(t0, t1);
        }
        AddFace(b0, b1, t1, material, smoothing);
        AddFace(b0, t1, t0, material, smoothing);
    }
}

Lib3dsMesh* CMeshBuilder::Build(const std::string& name) const
{
    if (points.size() > 65535)
        throw std::runtime_error("Mesh '" + name + "' has more points than a 3DS mesh can index");
    Lib3dsMesh* mesh = lib3ds_mesh_new(name.c_str());
    if (!mesh)
        throw std::runtime_error("Unable to create mesh '" + name + "'");
    const auto count = static_cast<Lib3dsDword>(points.size());
    if (!lib3ds_mesh_new_point_list(mesh, count) || !lib3ds_mesh_new_texel_list(mesh, count) ||
        !lib3ds_mesh_new_face_list(mesh, static_cast<Lib3dsDword>(faces.size()))) {
        lib3ds_mesh_free(mesh);
        throw std::runtime_error("Out of memory building mesh '" + name + "'");
    }
    lib3ds_matrix_identity(mesh->matrix);
    for (size_t i = 0; i < points.size(); ++i) {
        mesh->pointL[i].pos[0] = points[i].x;
        mesh->pointL[i].pos[1] = points[i].y;
        mesh->pointL[i].pos[2] = points[i].z;
        mesh->texelL[i][0] = texels[i].x;
        mesh->texelL[i][1] = texels[i].y;
    }
    for (size_t i = 0; i < faces.size(); ++i) {
        Lib3dsFace& f = mesh->faceL[i];
        snprintf(f.material, sizeof f.material, "%s", faces[i].material.c_str());
        f.points[0] = static_cast<Lib3dsWord>(faces[i].a);
        f.points[1] = static_cast<Lib3dsWord>(faces[i].b);
        f.points[2] = static_cast<Lib3dsWord>(faces[i].c);
        f.smoothing = faces[i].smoothing;
        f.flags = LIB3DS_FACE_FLAG_VIS_AB | LIB3DS_FACE_FLAG_VIS_BC | LIB3DS_FACE_FLAG_VIS_AC;
    }
    return mesh;
}
