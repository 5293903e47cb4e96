// Textures for the preview renderer: BMP files by path, loaded on first use.
#pragma once

#include <GL/gl.h>

#include <map>
#include <string>

class CPreviewTextures {
public:
    ~CPreviewTextures();

    // The texture loaded from `path` (relative to the working directory, as
    // the game names them). Like the game's loader: SDL_LoadBMP, no flip, the
    // picture's top row is t = 0; bytes reordered so colours come out true.
    // Linear filters, repeat wrap. Throws std::runtime_error naming the file.
    GLuint Get(const std::string& path);

private:
    std::map<std::string, GLuint> loaded;
};
