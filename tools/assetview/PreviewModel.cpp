// A 3DS model drawn the way the game draws one.
#include "tools/assetview/PreviewModel.h"

#include "tools/assetview/PreviewTextures.h"

#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

CPreviewModel::~CPreviewModel()
{
    for (GLuint list : lists)
        glDeleteLists(list, 1);
    if (file)
        lib3ds_file_free(file);
}

void CPreviewModel::Load(const std::string& path, CPreviewTextures& textures)
{
    file = lib3ds_file_load(path.c_str());
    if (!file)
        throw std::runtime_error("Error loading model '" + path + "'");
    SetUpLights();
    lib3ds_file_eval(file, 0.0f);
    Compile(textures);
}

void CPreviewModel::SetUpLights()
{
    static const GLfloat black[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1};
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    GLenum index = GL_LIGHT1;
    for (Lib3dsLight* light = file->lights; light; light = light->next) {
        glEnable(index);
        glLightfv(index, GL_AMBIENT, black);
        glLightfv(index, GL_DIFFUSE, white);
        glLightfv(index, GL_SPECULAR, white);
        GLfloat position[4] = {light->position[0], light->position[1], light->position[2], 1.0f};
        glLightfv(index, GL_POSITION, position);
        if (light->spot_light) {
            GLfloat direction[3] = {light->spot[0] - light->position[0], light->spot[1] - light->position[1],
                                    light->spot[2] - light->position[2]};
            glLightfv(index, GL_SPOT_DIRECTION, direction);
            ++index;
        }
    }
    lights = static_cast<int>(index - GL_LIGHT1);
    glPopMatrix();
}

namespace {

// Materials as the game sets them: ambient always 0, shininess 2^(10 s) <= 128.
GLuint ApplyMaterial(Lib3dsFile* file, const char* name, CPreviewTextures& textures)
{
    static const GLfloat ambient[4] = {0, 0, 0, 1};
    Lib3dsMaterial* m = name[0] ? lib3ds_file_material_by_name(file, name) : nullptr;
    if (!m) {
        static const GLfloat a[4] = {0.2f, 0.2f, 0.2f, 1}, d[4] = {0.8f, 0.8f, 0.8f, 1}, s[4] = {0, 0, 0, 1};
        glMaterialfv(GL_FRONT, GL_AMBIENT, a);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, d);
        glMaterialfv(GL_FRONT, GL_SPECULAR, s);
        return 0;
    }
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m->diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m->specular);
    glMaterialf(GL_FRONT, GL_SHININESS, std::min(128.0f, static_cast<float>(std::pow(2.0, 10.0 * m->shininess))));
    return m->texture1_map.name[0] ? textures.Get(m->texture1_map.name) : 0;
}

void CompileMesh(Lib3dsFile* file, Lib3dsMesh* mesh, CPreviewTextures& textures)
{
    std::vector<Lib3dsVector> normals(3 * std::max<size_t>(1, mesh->faces));
    Lib3dsMatrix inverse;
    lib3ds_matrix_copy(inverse, mesh->matrix);
    lib3ds_matrix_inv(inverse);
    glMultMatrixf(&inverse[0][0]);
    lib3ds_mesh_calculate_normals(mesh, normals.data());
    if (mesh->faces > 10000 || mesh->faces == 96)
        return; // the game skips such meshes
    for (unsigned i = 0; i < mesh->faces; ++i) {
        const Lib3dsFace& f = mesh->faceL[i];
        GLuint texture = ApplyMaterial(file, f.material, textures);
        if (texture)
            glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_TRIANGLES);
        for (int j = 0; j < 3; ++j) {
            glNormal3fv(normals[3 * i + j]);
            if (texture)
                glTexCoord2fv(mesh->texelL[f.points[j]]);
            glVertex3fv(mesh->pointL[f.points[j]].pos);
        }
        glEnd();
    }
}

} // namespace

void CPreviewModel::Compile(CPreviewTextures& textures)
{
    for (Lib3dsNode* node = file->nodes; node; node = node->next) {
        if (node->type != LIB3DS_OBJECT_NODE || !strcmp(node->name, "$$$DUMMY"))
            continue;
        Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(file, node->name);
        if (!mesh)
            continue;
        GLuint list = glGenLists(1);
        node->user.d = list;
        lists.push_back(list);
        glNewList(list, GL_COMPILE);
        CompileMesh(file, mesh, textures);
        glEndList();
    }
}

void CPreviewModel::Render(float x, float y, float z) const
{
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(x, y, z);
    for (Lib3dsNode* node = file->nodes; node; node = node->next) {
        if (node->type != LIB3DS_OBJECT_NODE || !node->user.d)
            continue;
        glPushMatrix();
        glMultMatrixf(&node->matrix[0][0]);
        const Lib3dsObjectData& data = node->data.object;
        glTranslatef(-data.pivot[0], -data.pivot[1], -data.pivot[2]);
        glCallList(node->user.d);
        glPopMatrix();
    }
    glPopMatrix();
}
