// A 3DS model drawn the way the game draws one: lights from the file, one
// display list per top-level object node, per-face materials with ambient 0.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

typedef struct Lib3dsFile Lib3dsFile;
class CPreviewTextures;

class CPreviewModel {
public:
    ~CPreviewModel();

    // Reads the file, registers its textures and sets up its spot lights as
    // OpenGL lights from GL_LIGHT1 on (the index moves on after each spot
    // light), positioned with the model-view matrix current now times the
    // model's -90 degree turn about x. Compiles the nodes at once (the game
    // compiles them on the first draw and shows them from the second).
    // Throws std::runtime_error naming the file.
    void Load(const std::string& path, CPreviewTextures& textures);

    // Draws at `position` (model units) in the current model-view frame,
    // after turning the model's z up into OpenGL's y up.
    void Render(float x, float y, float z) const;

    // Number of OpenGL lights the file enabled.
    int LightCount() const { return lights; }

private:
    void SetUpLights();
    void Compile(CPreviewTextures& textures);

    Lib3dsFile* file = nullptr;
    std::vector<GLuint> lists; // one per drawn node, in node order
    int lights = 0;
};
