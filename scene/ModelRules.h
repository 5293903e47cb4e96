// Rules the 3DS model renderer follows, as plain functions that tests and the asset generator can read.
#pragma once

#include <GL/gl.h>

// The GL light the n-th light of a model file gets (n from 0): GL_LIGHT1,
// GL_LIGHT2, then GL_LIGHT4 to GL_LIGHT7. 0 once those six are taken.
GLenum ModelLight(int n);

// GL_SHININESS for a 3DS shininess s (0 to 1): 2^(10 s), at most 128.
float MaterialShininess(float shininess);

// Whether the faces of a mesh of `faces` faces are drawn: not for exactly 96,
// nor for more than 10000.
bool MeshFacesDrawn(unsigned faces);
