// Rules the 3DS model renderer follows, as plain functions that tests and the asset generator can read.
#include "scene/ModelRules.h"

#include <cmath>

GLenum ModelLight(int n)
{
    // GL_LIGHT0 is left to OpenGL's default; GL_LIGHT3 is the game's own light.
    static const GLenum free[] = {GL_LIGHT1, GL_LIGHT2, GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7};
    const int count = int(sizeof free / sizeof free[0]);
    return n >= 0 && n < count ? free[n] : 0;
}

float MaterialShininess(float shininess)
{
    const float s = float(std::pow(2.0, 10.0 * double(shininess)));
    return s > 128.0f ? 128.0f : s;
}

bool MeshFacesDrawn(unsigned faces)
{
    // Our model files are made for these two rules: a mesh of exactly 96
    // faces, or of more than 10000, is recorded without its faces.
    return faces != 96 && faces <= 10000;
}
