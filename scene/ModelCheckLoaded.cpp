// Checks of a model as lib3ds loaded it: indices, texel counts, names, and lib3ds's normal table.
#include "scene/ModelCheck.h"

#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>
#include <lib3ds/vector.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// lib3ds_mesh_calculate_normals gathers the distinct normals met at a point in
// a local table of this many entries, without a bounds check.
constexpr unsigned NormalTable = 128;
// Dot products the normals check may spend on one mesh before it gives up.
constexpr long NormalBudget = 20000000;

bool Fail(std::string* why, const std::string& text)
{
    if (why)
        *why = text;
    return false;
}

template <size_t N> bool Terminated(const char (&field)[N])
{
    return memchr(field, 0, N) != nullptr;
}

// lib3ds computes face normals while reading; this replays how it gathers them
// at each point and refuses a point that would overrun its table.
bool CheckMeshNormals(const Lib3dsMesh* mesh, std::string* why)
{
    const Lib3dsDword points = mesh->points, faces = mesh->faces;
    if (faces == 0)
        return true;
    // Faces at each point, in the order lib3ds's own lists hold them (it
    // prepends each corner, so the newest corner comes first).
    std::vector<Lib3dsDword> start(points + 1, 0);
    for (Lib3dsDword i = 0; i < faces; ++i)
        for (int j = 0; j < 3; ++j)
            ++start[mesh->faceL[i].points[j] + 1];
    bool crowded = false;
    for (Lib3dsDword p = 0; p < points; ++p) {
        crowded = crowded || start[p + 1] > NormalTable;
        start[p + 1] += start[p];
    }
    if (!crowded)
        return true; // fewer faces than table entries at every point
    std::vector<Lib3dsDword> corner(start.back());
    std::vector<Lib3dsDword> fill(start.begin(), start.end() - 1);
    for (Lib3dsDword i = 0; i < faces; ++i)
        for (int j = 0; j < 3; ++j)
            corner[fill[mesh->faceL[i].points[j]]++] = i;

    // Replays lib3ds's count of distinct normals for each smoothing mask met
    // at a crowded point; the count depends on the point and the mask alone.
    long budget = NormalBudget;
    Lib3dsFace* faceL = mesh->faceL;
    for (Lib3dsDword p = 0; p < points; ++p) {
        if (start[p + 1] - start[p] <= NormalTable)
            continue;
        std::vector<Lib3dsDword> masks;
        for (Lib3dsDword a = start[p]; a < start[p + 1]; ++a) {
            const Lib3dsDword mask = faceL[corner[a]].smoothing;
            if (mask == 0 || std::find(masks.begin(), masks.end(), mask) != masks.end())
                continue;
            masks.push_back(mask);
            Lib3dsFace* table[NormalTable];
            unsigned k = 0;
            for (Lib3dsDword b = start[p + 1]; b-- > start[p];) {
                Lib3dsFace* g = &faceL[corner[b]];
                bool found = false;
                for (unsigned l = 0; l < k && !found; ++l)
                    found = std::fabs(lib3ds_vector_dot(table[l]->normal, g->normal) - 1.0) < 1e-5;
                if ((budget -= k + 1) < 0)
                    return Fail(why, "mesh '" + std::string(mesh->name) +
                                         "' has too many faces sharing points to check");
                if (found || !(mask & g->smoothing))
                    continue;
                if (k == NormalTable)
                    return Fail(why, "mesh '" + std::string(mesh->name) + "': point " +
                                         std::to_string(p) + " joins more than 128 smoothed normals");
                table[k++] = g;
            }
        }
    }
    return true;
}

bool CheckMesh(const Lib3dsMesh* mesh, std::string* why)
{
    if (!Terminated(mesh->name))
        return Fail(why, "a mesh name is not terminated");
    const std::string name = mesh->name;
    if (mesh->faces && !mesh->faceL)
        return Fail(why, "mesh '" + name + "' has faces but no face list");
    if (mesh->points && !mesh->pointL)
        return Fail(why, "mesh '" + name + "' has points but no point list");
    // Texels beyond the point count are never indexed; fewer would be read past.
    if (mesh->texels != 0 && mesh->texels < mesh->points)
        return Fail(why, "mesh '" + name + "' has " + std::to_string(mesh->texels) +
                             " texture coordinates for " + std::to_string(mesh->points) + " points");
    for (Lib3dsDword i = 0; i < mesh->faces; ++i) {
        const Lib3dsFace& f = mesh->faceL[i];
        if (!Terminated(f.material))
            return Fail(why, "mesh '" + name + "': a face's material name is not terminated");
        for (int j = 0; j < 3; ++j)
            if (f.points[j] >= mesh->points)
                return Fail(why, "mesh '" + name + "': face " + std::to_string(i) + " uses point " +
                                     std::to_string(f.points[j]) + " of " +
                                     std::to_string(mesh->points));
    }
    return CheckMeshNormals(mesh, why);
}

bool CheckNodes(const Lib3dsNode* first, std::string* why)
{
    // lib3ds nests nodes; walk them with an explicit stack.
    std::vector<const Lib3dsNode*> pending;
    for (const Lib3dsNode* n = first; n; n = n->next)
        pending.push_back(n);
    while (!pending.empty()) {
        const Lib3dsNode* node = pending.back();
        pending.pop_back();
        if (!Terminated(node->name))
            return Fail(why, "a node name is not terminated");
        for (const Lib3dsNode* c = node->childs; c; c = c->next)
            pending.push_back(c);
    }
    return true;
}

} // namespace

bool Check3dsModel(const Lib3dsFile* file, std::string* why)
{
    for (const Lib3dsMaterial* m = file->materials; m; m = m->next)
        if (!Terminated(m->name) || !Terminated(m->texture1_map.name))
            return Fail(why, "a material or texture name is not terminated");
    for (const Lib3dsLight* l = file->lights; l; l = l->next)
        if (!Terminated(l->name))
            return Fail(why, "a light name is not terminated");
    for (const Lib3dsMesh* mesh = file->meshes; mesh; mesh = mesh->next)
        if (!CheckMesh(mesh, why))
            return false;
    return CheckNodes(file->nodes, why);
}
