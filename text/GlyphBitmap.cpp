// Glyph bitmaps into OpenGL textures: power-of-two sizing, texel layout and upload.
#include "text/GlyphBitmap.h"

int GlyphTextureSide(int extent)
{
    int side = 1;
    // The cap only guards against a nonsense extent; glyphs are tens of pixels.
    while (side < extent && side < (1 << 30))
        side *= 2;
    return side;
}

int GlyphSideLimit(int pixelsPerEm)
{
    const int limit = pixelsPerEm > 0 && pixelsPerEm < (1 << 20) ? 8 * pixelsPerEm : 0;
    return limit > 64 ? limit : 64;
}

// Start of the bitmap's top row: with a negative pitch the rows are stored
// bottom first, and stepping by the pitch still moves one row down.
static const unsigned char* TopRow(const FT_Bitmap& bitmap)
{
    if (bitmap.pitch >= 0)
        return bitmap.buffer;
    return bitmap.buffer - static_cast<long>(bitmap.pitch) * (static_cast<long>(bitmap.rows) - 1);
}

static unsigned char Coverage(const unsigned char* row, unsigned char pixelMode, int i)
{
    switch (pixelMode) {
    case FT_PIXEL_MODE_GRAY:
        return row[i];
    case FT_PIXEL_MODE_MONO: // most significant bit first
        return (row[i >> 3] & (0x80 >> (i & 7))) ? 255 : 0;
    default:
        return 0;
    }
}

std::vector<unsigned char> GlyphTexels(const FT_Bitmap& bitmap, int w, int h)
{
    std::vector<unsigned char> texels(2 * static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    if (!bitmap.buffer)
        return texels;
    const int width = static_cast<int>(bitmap.width) < w ? static_cast<int>(bitmap.width) : w;
    const int rows = static_cast<int>(bitmap.rows) < h ? static_cast<int>(bitmap.rows) : h;
    const unsigned char* row = TopRow(bitmap);
    for (int j = 0; j < rows; ++j, row += bitmap.pitch) {
        unsigned char* out = &texels[2 * static_cast<size_t>(j) * static_cast<size_t>(w)];
        for (int i = 0; i < width; ++i)
            out[2 * i] = out[2 * i + 1] = Coverage(row, bitmap.pixel_mode, i);
    }
    return texels;
}

void UploadGlyphTexture(GLuint texture, const std::vector<unsigned char>& texels, int w, int h)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // A 1-texel-wide row is 2 bytes: with the default 4-byte row alignment GL
    // would step rows by 4 and read past the end of the buffer.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 texels.data());
    glPopClientAttrib();
}
