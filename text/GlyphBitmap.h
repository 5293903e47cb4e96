// Glyph bitmaps into OpenGL textures: power-of-two sizing, texel layout and upload.
#pragma once

#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

// Smallest power of two, at least 1, not below `extent` (pixels). OpenGL 1.1
// textures must have power-of-two sides.
int GlyphTextureSide(int extent);

// Largest glyph side, pixels, a font may ask for at `pixelsPerEm`: 8 em, and
// at least 64. The ASCII glyphs of a sound font are about one em; a damaged
// or hostile one can ask for bitmaps of 30000 pixels a side, gigabytes of
// texture.
int GlyphSideLimit(int pixelsPerEm);

// Luminance-alpha texels (two bytes per texel, both the coverage 0..255) of a
// w x h texture holding `bitmap` in its top-left corner, first row first; texels
// outside the bitmap are 0. Rows are stepped by the bitmap's pitch, which may be
// wider than its width and is negative for bitmaps stored bottom row first.
// Reads 8-bit grey and 1-bit mono bitmaps; other pixel modes come out empty.
std::vector<unsigned char> GlyphTexels(const FT_Bitmap& bitmap, int w, int h);

// Binds `texture`, sets linear filters and uploads `texels` (GlyphTexels' layout)
// as an RGBA texture of w x h. Leaves `texture` bound; the caller's pixel-store
// state is kept.
void UploadGlyphTexture(GLuint texture, const std::vector<unsigned char>& texels, int w, int h);
