// CFreeFont: screen text in viewport pixels from a TrueType font, one texture and display list per ASCII code.
#pragma once

#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

// Lifetime: every operation needs the OpenGL context current. The owner calls
// Clean before the context goes away; the destructor cleans too, for owners
// that outlive nothing of the context.
class CFreeFont {
public:
    static constexpr int GlyphCount = 128;   // character codes 0..127
    static constexpr int TextCapacity = 160;  // bytes of formatted text, terminator included

    CFreeFont();
    ~CFreeFont();
    CFreeFont(const CFreeFont&) = delete;
    CFreeFont& operator=(const CFreeFont&) = delete;

    // Frees an earlier Load's glyphs, then rasterises codes 0..127 at `size`
    // points at 96 dpi, or, for a font of fixed bitmap sizes only, at the size
    // nearest to that. Throws std::runtime_error naming `path` on a FreeType
    // failure; a failure after the names were made leaves them to Clean.
    void Load(const char* path, int size);
    // Texture and display list of one code (0..127) from the open face; Load's helper.
    void MakeChList(FT_Face face, unsigned char code);
    // Draws the printf-style text with the caller's colour; (x, y) is the pen of the
    // first line in pixels from the viewport's bottom-left corner, y up. Lines run
    // down `height` apart. Text beyond TextCapacity - 1 bytes is cut; bytes above
    // 127 have no glyph and are skipped. Draws nothing on a font not loaded.
    void Print(float x, float y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    // Deletes the lists and textures; a second call does nothing.
    void Clean();

    float height;      // pixels: the size Load was given, also the line spacing
    GLuint* textures;  // owned array of GlyphCount texture names, or null
    GLuint listBase;   // list listBase + c draws code c and advances the pen; 0 when empty
};
