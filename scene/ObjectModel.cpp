// CObject's 3DS model: loading with textures and lights, and drawing through per-node display lists.
#include "scene/Object.h"

#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/BmpCheck.h"
#include "scene/ModelFile.h"
#include "scene/ModelRules.h"
#include "scene/RegularFile.h"
#include "scene/TextureList.h"

namespace {

// A name field of lib3ds (64 bytes), which need not hold a terminator.
template <size_t N> std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

// 3DS models are Z-up; OpenGL's world is Y-up.
void ModelToGl()
{
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
}

// Turns the file's lights into GL lights, in file order. Positions are fixed by
// the model-view matrix current now, turned into the model frame.
void SetUpLights(Lib3dsFile* model)
{
    static const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    static const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glPushMatrix();
    ModelToGl();
    int count = 0;
    for (Lib3dsLight* light = model->lights; light; light = light->next) {
        const GLenum index = ModelLight(count);
        if (index == 0) {
            printf("Light '%s' ignored: no free OpenGL light\n", FieldText(light->name).c_str());
            continue;
        }
        ++count;
        glEnable(index);
        glLightfv(index, GL_AMBIENT, black);
        glLightfv(index, GL_DIFFUSE, white);
        glLightfv(index, GL_SPECULAR, white);
        const GLfloat position[4] = {light->position[0], light->position[1], light->position[2],
                                     1.0f};
        glLightfv(index, GL_POSITION, position);
        if (light->spot_light) {
            const GLfloat direction[3] = {light->spot[0] - light->position[0],
                                          light->spot[1] - light->position[1],
                                          light->spot[2] - light->position[2]};
            glLightfv(index, GL_SPOT_DIRECTION, direction);
        }
    }
    printf("Lights=%i\n", count);
    glPopMatrix();
}

// How one face is drawn, settled before any list is opened so that a failing
// texture look-up leaves no half-recorded list behind.
struct FaceLook {
    Lib3dsMaterial* material; // null: the fixed defaults
    GLuint texture;           // 0: nothing bound, no texture coordinates
};

std::vector<FaceLook> FaceLooks(Lib3dsFile* model, CTextureList* textures, Lib3dsMesh* mesh)
{
    std::vector<FaceLook> looks(mesh->faces, FaceLook{nullptr, 0});
    for (Lib3dsDword i = 0; i < mesh->faces; ++i) {
        Lib3dsFace& face = mesh->faceL[i];
        if (face.material[0] == '\0')
            continue;
        Lib3dsMaterial* m = lib3ds_file_material_by_name(model, face.material);
        looks[i].material = m;
        // A mesh without texture coordinates is drawn untextured.
        if (!m || m->texture1_map.name[0] == '\0' || !textures || mesh->texels == 0)
            continue;
        if (CTexture* t = textures->Get(FieldText(m->texture1_map.name)))
            looks[i].texture = t->id;
    }
    return looks;
}

void ApplyMaterial(const Lib3dsMaterial* m)
{
    if (!m) {
        static const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
        static const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
        static const GLfloat specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
        return;
    }
    // Whatever the file says, a material's ambient is black: the scene's
    // ambient light would otherwise wash the model out.
    static const GLfloat a[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, a);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m->diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m->specular);
    glMaterialf(GL_FRONT, GL_SHININESS, MaterialShininess(m->shininess));
}

// Records the node's mesh into a new display list; the list name goes into the
// node's user word. A node without a mesh stays uncompiled.
void CompileNode(Lib3dsFile* model, CTextureList* textures, Lib3dsNode* node)
{
    Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(model, node->name);
    if (!mesh)
        return;
    const bool drawn = MeshFacesDrawn(mesh->faces);
    const std::vector<FaceLook> looks =
        drawn ? FaceLooks(model, textures, mesh) : std::vector<FaceLook>();
    const GLuint list = glGenLists(1);
    if (list == 0)
        throw std::runtime_error("Unable to create a display list for model node '" +
                                 FieldText(node->name) + "'");
    node->user.d = list;
    glNewList(list, GL_COMPILE);
    // The mesh's points are stored in world coordinates; bring them back to
    // the node's own frame.
    Lib3dsMatrix inverse;
    lib3ds_matrix_copy(inverse, mesh->matrix);
    lib3ds_matrix_inv(inverse);
    glMultMatrixf(&inverse[0][0]);
    printf("%i\n", int(mesh->faces));
    if (drawn && mesh->faces > 0) {
        // One normal per face corner, following the smoothing groups.
        std::unique_ptr<Lib3dsVector[]> normals(new Lib3dsVector[3 * size_t(mesh->faces)]);
        lib3ds_mesh_calculate_normals(mesh, normals.get());
        // A run of faces that look alike shares one material set-up and one
        // batch of triangles: the same vertices in the same order as one
        // batch per face, but one draw per run for the renderer, not one per face.
        const FaceLook* previous = nullptr;
        for (Lib3dsDword i = 0; i < mesh->faces; ++i) {
            const Lib3dsFace& face = mesh->faceL[i];
            const FaceLook& look = looks[i];
            if (!previous || look.material != previous->material ||
                look.texture != previous->texture) {
                if (previous)
                    glEnd();
                ApplyMaterial(look.material);
                if (look.texture)
                    glBindTexture(GL_TEXTURE_2D, look.texture);
                glBegin(GL_TRIANGLES);
            }
            for (int j = 0; j < 3; ++j) {
                glNormal3fv(normals[3 * size_t(i) + j]);
                if (look.texture)
                    glTexCoord2fv(mesh->texelL[face.points[j]]);
                glVertex3fv(mesh->pointL[face.points[j]].pos);
            }
            previous = &look;
        }
        if (previous)
            glEnd();
    }
    glEndList();
}

// Pushes a list of sibling nodes so that the first of them is popped first.
void PushSiblings(std::vector<Lib3dsNode*>* stack, Lib3dsNode* first)
{
    const size_t at = stack->size();
    for (Lib3dsNode* n = first; n; n = n->next)
        stack->push_back(n);
    std::reverse(stack->begin() + long(at), stack->end());
}

bool Exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Where a model's texture name leads: the name as written (from the working
// directory), else the same name beside the model file. Empty when neither exists.
std::string FindTexture(const std::string& modelFile, const std::string& map)
{
    if (Exists(map))
        return map;
    const size_t slash = modelFile.rfind('/');
    if (slash == std::string::npos || map[0] == '/')
        return std::string();
    const std::string beside = modelFile.substr(0, slash + 1) + map;
    return Exists(beside) ? beside : std::string();
}

// Loads a material's texture into `textures` under the name the model gives it.
void AddModelTexture(const char* modelFile, const std::string& map, CTextureList* textures)
{
    const std::string prefix = "Unable to load model '" + std::string(modelFile) + "': ";
    const std::string path = FindTexture(modelFile, map);
    if (path.empty())
        throw std::runtime_error(prefix + "can't find texture '" + map + "'");
    // Other tools' models name PNG and JPEG pictures; say so rather than
    // leave the player looking for a file that is there.
    if (!NotRegularFile(path.c_str()) && !FileStartsLikeBmp(path.c_str()))
        throw std::runtime_error(prefix + "texture '" + path + "' is there but is not a BMP");
    try {
        textures->AddAs(map, path);
    } catch (const std::exception& e) {
        throw std::runtime_error(prefix + e.what());
    }
}

// A file with meshes but no object node (many exporters write no keyframe
// section) would draw nothing: give each mesh a node of its own, with no
// tracks and no parent. Answers whether it made any.
bool AddNodesForMeshes(Lib3dsFile* model)
{
    std::vector<const Lib3dsNode*> pending;
    for (const Lib3dsNode* n = model->nodes; n; n = n->next)
        pending.push_back(n);
    while (!pending.empty()) {
        const Lib3dsNode* node = pending.back();
        pending.pop_back();
        if (node->type == LIB3DS_OBJECT_NODE)
            return false;
        for (const Lib3dsNode* c = node->childs; c; c = c->next)
            pending.push_back(c);
    }
    bool made = false;
    for (Lib3dsMesh* mesh = model->meshes; mesh; mesh = mesh->next) {
        Lib3dsNode* node = lib3ds_node_new_object();
        if (!node)
            throw std::runtime_error("Out of memory making a node for mesh '" +
                                     FieldText(mesh->name) + "'");
        memcpy(node->name, mesh->name, sizeof node->name);
        // No id: lib3ds would otherwise re-parent nodes that name it as parent.
        node->node_id = LIB3DS_NO_PARENT;
        node->parent_id = LIB3DS_NO_PARENT;
        lib3ds_file_insert_node(model, node);
        made = true;
    }
    return made;
}

// The nodes AddNodesForMeshes made have no tracks to evaluate: each stands
// where its mesh's matrix puts it, so the mesh's points draw where they are
// stored (the display list undoes that same matrix).
void PlaceMadeNodes(Lib3dsFile* model)
{
    for (Lib3dsNode* node = model->nodes; node; node = node->next) {
        Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(model, node->name);
        if (!mesh || node->type != LIB3DS_OBJECT_NODE)
            continue;
        lib3ds_matrix_copy(node->matrix, mesh->matrix);
        memset(node->data.object.pivot, 0, sizeof node->data.object.pivot);
    }
}

} // namespace

bool CObject::Load(const char* fileName, CTextureList* textures)
{
    if (model) {
        lib3ds_file_free(model);
        model = nullptr;
    }
    std::string why;
    model = Read3dsFile(fileName, &why);
    if (!model) {
        fprintf(stderr, "Model '%s' refused: %s\n", fileName, why.c_str());
        throw std::runtime_error(std::string("Error loading model '") + fileName + "'");
    }
    for (Lib3dsMaterial* m = model->materials; m; m = m->next) {
        const std::string map = FieldText(m->texture1_map.name);
        if (map.empty())
            continue;
        AddModelTexture(fileName, map, textures);
        textureList = textures;
    }
    SetUpLights(model);
    const bool madeNodes = AddNodesForMeshes(model);
    lib3ds_file_eval(model, 0.0f);
    if (madeNodes)
        PlaceMadeNodes(model);
    return true;
}

void CObject::Render()
{
    if (!model)
        throw std::runtime_error("Can't render empty model");
    glPushMatrix();
    ModelToGl();
    glTranslatef(position.x, position.y, position.z);
    try {
        // Every node of the tree, each before its children: a mesh may hang
        // under a camera, a light or a dummy. lib3ds has already folded each
        // parent's matrix into its children's, so none is nested in GL.
        std::vector<Lib3dsNode*> pending;
        PushSiblings(&pending, model->nodes);
        while (!pending.empty()) {
            Lib3dsNode* node = pending.back();
            pending.pop_back();
            RenderNode(node);
            PushSiblings(&pending, node->childs);
        }
    } catch (...) {
        glPopMatrix();
        throw;
    }
    glPopMatrix();
}

void CObject::RenderNode(Lib3dsNode* node)
{
    if (node->type != LIB3DS_OBJECT_NODE)
        return;
    if (strncmp(node->name, "$$$DUMMY", sizeof node->name) == 0)
        return;
    if (node->user.d == 0) {
        // The first sight of a node only records it; it is drawn from the next Render on.
        CompileNode(model, textureList, node);
        return;
    }
    const Lib3dsObjectData& object = node->data.object;
    glPushMatrix();
    glMultMatrixf(&node->matrix[0][0]);
    glTranslatef(-object.pivot[0], -object.pivot[1], -object.pivot[2]);
    glCallList(node->user.d);
    glPopMatrix();
}
