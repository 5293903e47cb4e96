// CObject's 3DS model: loading with textures and lights, and drawing through per-node display lists.
#include "scene/Object.h"

#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/ModelFile.h"
#include "scene/ModelRules.h"
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
        try {
            textures->Add(map);
        } catch (const std::exception&) {
            throw std::runtime_error(
                "Unable to load model '" + std::string(fileName) + "': can't find texture '" + map + "'");
        }
        textureList = textures;
    }
    SetUpLights(model);
    lib3ds_file_eval(model, 0.0f);
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
        // Top-level nodes only: children are never visited.
        for (Lib3dsNode* node = model->nodes; node; node = node->next)
            RenderNode(node);
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
