// CTexture: one OpenGL 2D texture made from a BMP file.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

struct SDL_Surface;

class CTexture {
public:
    CTexture();
    explicit CTexture(const std::string& fileName);
    ~CTexture();
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    // Reads a BMP into a new texture: 1, 4 or 8 bits through a palette (plain,
    // RLE4 or RLE8), 16 or 32 bits plain or with colour masks, 24 bits; linear filters,
    // no mipmaps until UseMipmaps(true) asks, repeat wrap, the picture's top
    // row at t = 0. Leaves it bound.
    // Throws std::runtime_error naming the file when it cannot be read.
    void Load(const std::string& fileName);
    // Deletes the GL texture once; `id` keeps its value, but a second Free (or
    // the destructor after Free) never deletes a name GL may have handed out again.
    void Free();
    // The minifying filter: bilinear in the nearest mipmap (the levels made
    // down to 1x1 the first time), or plain linear from level 0 alone (the
    // free table's look). Binds the texture.
    void UseMipmaps(bool on);

    std::string name; // the file name given to Load, unchanged (CTextureList::AddAs renames it)
    GLuint id;        // GL texture name, 0 until loaded
    int levels;       // mipmap levels loaded, level 0 included; 0 until loaded
    bool mipmapped;   // every level down to 1x1 is loaded

private:
    // Levels 1 down to 1x1, each half the one before, from level 0 read back
    // from GL; false if a level could not be made. The texture is bound.
    bool MakeSmallerLevels();

    bool live; // `id` names a texture this object created and has not deleted
};

// The surface's pixels as R,G,B bytes, top row first, each row padded to a
// multiple of 4 bytes. Any depth SDL reads (palettised, 16, 24, 32 bits) is
// expanded; false, with `rgb` unspecified, for a format that makes no sense.
bool ExpandToRgb(const SDL_Surface* surface, std::vector<unsigned char>& rgb);
