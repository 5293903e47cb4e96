// CFreeFont: screen text in viewport pixels from a TrueType font, one texture and display list per ASCII code.
#include "text/FreeFont.h"

#include <GL/glu.h>
#include FT_GLYPH_H

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "text/GlyphBitmap.h"

namespace {

// FreeType handles of one Load: released however Load leaves.
struct FreeTypeSession {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FreeTypeSession()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

// One glyph image, released on every path out of MakeChList.
struct GlyphImage {
    FT_Glyph glyph = nullptr;
    ~GlyphImage()
    {
        if (glyph)
            FT_Done_Glyph(glyph);
    }
};

[[noreturn]] void TooLarge(unsigned char code, long width, long rows, int limit)
{
    char message[160];
    snprintf(message, sizeof message,
             "Glyph of character %d is %ld x %ld pixels, more than %d: the font file is "
             "probably damaged",
             code, width, rows, limit);
    throw std::runtime_error(message);
}

} // namespace

CFreeFont::CFreeFont() : height(14.0f), textures(nullptr), listBase(0) {}

CFreeFont::~CFreeFont()
{
    Clean();
}

// Gives the face the size of `size` points at 96 dpi. Outline fonts scale to
// it; fonts of bitmaps alone (X11's, Terminus, colour emoji) only have fixed
// sizes, of which the nearest is taken. False when neither works.
static bool SetFaceSize(FT_Face face, int size)
{
    const FT_F26Dot6 size26 = static_cast<FT_F26Dot6>(size) * 64; // 26.6 fixed point
    if (FT_IS_SCALABLE(face) || face->num_fixed_sizes <= 0)
        return FT_Set_Char_Size(face, size26, size26, 96, 96) == 0;
    const FT_Pos wanted = size26 * 96 / 72; // pixels per em, 26.6
    int best = 0;
    for (int i = 1; i < face->num_fixed_sizes; ++i) {
        const FT_Pos gap = std::labs(face->available_sizes[i].y_ppem - wanted);
        if (gap < std::labs(face->available_sizes[best].y_ppem - wanted))
            best = i; // on a tie the earlier (FreeType lists them smallest first)
    }
    return FT_Select_Size(face, best) == 0;
}

[[noreturn]] static void FontError(const char* path, const char* what)
{
    char message[1024];
    snprintf(message, sizeof message, "Unable to load font '%s': %s", path, what);
    throw std::runtime_error(message);
}

void CFreeFont::Load(const char* path, int size)
{
    Clean();
    height = static_cast<float>(size);

    FreeTypeSession ft;
    if (FT_Init_FreeType(&ft.library))
        FontError(path, "Init FreeType Font library failed");
    if (FT_New_Face(ft.library, path, 0, &ft.face))
        FontError(path, "FT_New_Face failed (there is probably a problem with your font file)");
    if (!SetFaceSize(ft.face, size))
        FontError(path, ft.face->num_fixed_sizes > 0
                            ? "none of its fixed sizes can be selected"
                            : "it cannot be scaled to the text's size");

    textures = new GLuint[GlyphCount](); // zeros: no texture yet
    listBase = glGenLists(GlyphCount);
    if (listBase == 0)
        FontError(path, "glGenLists failed: no display lists for the font");
    glGenTextures(GlyphCount, textures);

    try {
        for (int c = 0; c < GlyphCount; ++c)
            MakeChList(ft.face, static_cast<unsigned char>(c));
    } catch (const std::runtime_error& e) {
        FontError(path, e.what());
    }
}

void CFreeFont::MakeChList(FT_Face face, unsigned char code)
{
    if (!textures || listBase == 0 || code >= GlyphCount)
        throw std::runtime_error("CFreeFont::MakeChList() - no glyph slot for this code");

    // Codes without a glyph in the font (the controls, 127) get glyph 0, the
    // font's missing-glyph box.
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, code), FT_LOAD_DEFAULT))
        throw std::runtime_error("FT_Load_Glyph failed");
    GlyphImage image;
    if (FT_Get_Glyph(face->glyph, &image.glyph))
        throw std::runtime_error("FT_Get_Glyph failed");
    // Measured before FreeType renders it: a damaged font can make one glyph
    // a bitmap of gigabytes, in FreeType and again in our texture.
    const int limit = GlyphSideLimit(face->size ? face->size->metrics.y_ppem : 0);
    FT_BBox box;
    FT_Glyph_Get_CBox(image.glyph, FT_GLYPH_BBOX_PIXELS, &box);
    if (box.xMax - box.xMin > limit || box.yMax - box.yMin > limit)
        TooLarge(code, box.xMax - box.xMin, box.yMax - box.yMin, limit);
    // Replaces the outline with its 8-bit anti-aliased rendering.
    if (FT_Glyph_To_Bitmap(&image.glyph, FT_RENDER_MODE_NORMAL, nullptr, 1))
        throw std::runtime_error("FT_Glyph_To_Bitmap falied");
    const FT_BitmapGlyph glyph = reinterpret_cast<FT_BitmapGlyph>(image.glyph);
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int width = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    // The rendering may spill a pixel past the box; never far.
    if (width > limit + 2 || rows > limit + 2)
        TooLarge(code, width, rows, limit);

    // An empty bitmap (the space) still gets a 1x1 texture, all transparent.
    const int w = GlyphTextureSide(width);
    const int h = GlyphTextureSide(rows);
    UploadGlyphTexture(textures[code], GlyphTexels(bitmap, w, h), w, h);

    const float s = static_cast<float>(width) / static_cast<float>(w);
    const float t = static_cast<float>(rows) / static_cast<float>(h);
    glNewList(listBase + code, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, textures[code]);
    // Made outside the push, so the pen keeps the bearing: one character moves
    // it by its left bearing plus its advance.
    glTranslatef(static_cast<float>(glyph->left), 0.0f, 0.0f);
    glPushMatrix();
    glTranslatef(0.0f, static_cast<float>(glyph->top - rows), 0.0f);
    // Texture row 0 is the bitmap's top row, so it goes at the top of the quad.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, static_cast<float>(rows));
    glTexCoord2f(0.0f, t);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(s, t);
    glVertex2f(static_cast<float>(width), 0.0f);
    glTexCoord2f(s, 0.0f);
    glVertex2f(static_cast<float>(width), static_cast<float>(rows));
    glEnd();
    glPopMatrix();
    // The advance is 26.6 fixed point: whole pixels only.
    glTranslatef(static_cast<float>(face->glyph->advance.x >> 6), 0.0f, 0.0f);
    glEndList();
}

// Lines of at most TextCapacity - 1 bytes each; bytes past 127 are dropped here,
// because their list numbers belong to whoever made the lists after ours.
static int GlyphBytes(const char* begin, const char* end, unsigned char* out)
{
    int n = 0;
    for (const char* p = begin; p != end; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte < CFreeFont::GlyphCount)
            out[n++] = byte;
    }
    return n;
}

void CFreeFont::Print(float x, float y, const char* format, ...)
{
    if (!textures || listBase == 0)
        return;

    char text[TextCapacity] = "";
    if (format) {
        va_list args;
        va_start(args, format);
        vsnprintf(text, sizeof text, format, args);
        va_end(args);
    }

    // Pixels from the viewport's bottom-left corner, whatever the caller's projection.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT | GL_LIST_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, viewport[2], 0.0, viewport[3]);

    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glListBase(listBase);
    // The caller's model-view applies to the glyphs before the pen translation.
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);

    unsigned char glyphs[TextCapacity];
    const char* line = text;
    for (int i = 0;; ++i) {
        const char* end = line;
        while (*end && *end != '\n')
            ++end;
        const int n = GlyphBytes(line, end, glyphs);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(x, y - height * static_cast<float>(i), 0.0f);
        glMultMatrixf(modelview);
        if (n > 0)
            glCallLists(n, GL_UNSIGNED_BYTE, glyphs);
        glPopMatrix();
        if (*end != '\n')
            break;
        line = end + 1;
    }

    // Popped while the projection is selected; the attribute pop then gives the
    // caller back its matrix mode, enables, colour and list base.
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void CFreeFont::Clean()
{
    if (listBase != 0) {
        glDeleteLists(listBase, GlyphCount);
        listBase = 0;
    }
    if (textures) {
        glDeleteTextures(GlyphCount, textures);
        delete[] textures;
        textures = nullptr;
    }
}
