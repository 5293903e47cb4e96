// The text renderer under a real GL context: glyph placement, line spacing, GL state, names and failures.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Game.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"
#include "text/FreeFont.h"
#include "text/GlyphBitmap.h"

namespace {

const char* const FontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
const int FontSize = 10;
const int WindowW = 320, WindowH = 240;

// FreeType's own rendering of one glyph at the font's size: what the screen must show.
struct GlyphPicture {
    int left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<unsigned char> coverage; // rows x width, top row first
};

GlyphPicture Render(unsigned long code)
{
    GlyphPicture g;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, FontPath, 0, &face))
        throw std::runtime_error("test oracle cannot open the font");
    FT_Set_Char_Size(face, FontSize * 64, FontSize * 64, 96, 96);
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, code), FT_LOAD_RENDER) == 0) {
        const FT_Bitmap& b = face->glyph->bitmap;
        g.left = face->glyph->bitmap_left;
        g.top = face->glyph->bitmap_top;
        g.width = static_cast<int>(b.width);
        g.rows = static_cast<int>(b.rows);
        g.advance = static_cast<int>(face->glyph->advance.x >> 6);
        for (int j = 0; j < g.rows; ++j)
            for (int i = 0; i < g.width; ++i)
                g.coverage.push_back(b.buffer[j * b.pitch + i]);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return g;
}

// The red channel of the whole window, bottom row first.
std::vector<unsigned char> Screen()
{
    std::vector<unsigned char> rgb(3 * WindowW * WindowH);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WindowW, WindowH, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<unsigned char> red(WindowW * WindowH);
    for (size_t i = 0; i < red.size(); ++i)
        red[i] = rgb[3 * i];
    return red;
}

int LitPixels(const std::vector<unsigned char>& screen)
{
    int lit = 0;
    for (unsigned char v : screen)
        lit += v > 0;
    return lit;
}

// White glyph coverage c over black shows as c * c / 255 (luminance times alpha).
// Checks the glyph's box and a 2-pixel frame around it, which must stay black.
::testing::AssertionResult GlyphAt(const std::vector<unsigned char>& screen, const GlyphPicture& g,
                                   int penX, int penY)
{
    if (g.coverage.empty())
        return ::testing::AssertionFailure() << "glyph has no pixels to look for";
    const int x0 = penX + g.left, yTop = penY + g.top - 1;
    for (int y = yTop + 2; y >= yTop - g.rows - 1; --y) {
        for (int x = x0 - 2; x < x0 + g.width + 2; ++x) {
            if (x < 0 || y < 0 || x >= WindowW || y >= WindowH)
                continue;
            const int i = x - x0, j = yTop - y;
            const bool inside = i >= 0 && j >= 0 && i < g.width && j < g.rows;
            const int c = inside ? g.coverage[j * g.width + i] : 0;
            const int expected = c * c / 255;
            const int seen = screen[y * WindowW + x];
            if (seen < expected - 3 || seen > expected + 3)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << seen << ", expected "
                       << expected << " for a glyph with its pen at (" << penX << ", " << penY
                       << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

int CountNames(GLboolean (*isName)(GLuint))
{
    int n = 0;
    for (GLuint name = 1; name <= 4096; ++name)
        n += isName(name) == GL_TRUE;
    return n;
}
GLboolean IsTexture(GLuint name) { return glIsTexture(name); }
GLboolean IsList(GLuint name) { return glIsList(name); }

// A list that floods the window, for list names the font must never call.
void CompileFlood(GLuint name)
{
    glNewList(name, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glVertex2f(-2000.0f, -2000.0f);
    glVertex2f(2000.0f, -2000.0f);
    glVertex2f(2000.0f, 2000.0f);
    glVertex2f(-2000.0f, 2000.0f);
    glEnd();
    glEndList();
}

class FreeFont : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        glViewport(0, 0, WindowW, WindowH);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glListBase(0);
        Clear();
        font.Load(FontPath, FontSize);
    }
    void TearDown() override
    {
        font.Clean();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void Clear()
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    CFreeFont font;
};

TEST_F(FreeFont, GlyphSitsAtThePenInViewportPixelsWhateverTheProjection)
{
    glMatrixMode(GL_PROJECTION);
    gluPerspective(60.0, 1.5, 0.1, 50.0);
    gluLookAt(3.0, 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    font.Print(300.0f, 0.0f, "Lights = %i", 1);
    EXPECT_TRUE(GlyphAt(Screen(), Render('L'), 300, 0));
}

TEST_F(FreeFont, PenIsCountedFromTheViewportsCorner)
{
    glViewport(50, 40, 200, 150);
    font.Print(10.0f, 10.0f, "L");
    glViewport(0, 0, WindowW, WindowH);
    EXPECT_TRUE(GlyphAt(Screen(), Render('L'), 60, 50));
}

TEST_F(FreeFont, TwoLineFeedsGiveThreeLinesHeightApart)
{
    font.Print(100.0f, 150.0f, "-\n-\n-");
    const std::vector<unsigned char> screen = Screen();
    const GlyphPicture dash = Render('-');
    EXPECT_TRUE(GlyphAt(screen, dash, 100, 150));
    EXPECT_TRUE(GlyphAt(screen, dash, 100, 140));
    EXPECT_TRUE(GlyphAt(screen, dash, 100, 130));
    EXPECT_EQ(LitPixels(screen), 3 * LitPixels([&] {
                                     Clear();
                                     font.Print(100.0f, 150.0f, "-");
                                     return Screen();
                                 }()));
}

TEST_F(FreeFont, SpaceIsOneTransparentTexelAndStillAdvances)
{
    GLint w = 0, h = 0;
    unsigned char rgba[4] = {1, 1, 1, 1};
    glBindTexture(GL_TEXTURE_2D, font.textures[' ']);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(rgba[3], 0);

    font.Print(40.0f, 100.0f, "L L");
    const GlyphPicture l = Render('L'), space = Render(' ');
    // Each character moves the pen by its left bearing plus its advance.
    const int second = 40 + l.left + l.advance + space.left + space.advance;
    const std::vector<unsigned char> screen = Screen();
    EXPECT_TRUE(GlyphAt(screen, l, 40, 100));
    EXPECT_TRUE(GlyphAt(screen, l, second, 100));
}

TEST_F(FreeFont, ControlCodesAndDeleteDrawTheMissingGlyphBox)
{
    const GlyphPicture box = Render(0); // glyph 0
    for (const char* text : {"\x01", "\t", "\x7f"}) {
        Clear();
        font.Print(40.0f, 100.0f, "%s", text);
        EXPECT_TRUE(GlyphAt(Screen(), box, 40, 100)) << "code " << int(text[0]);
    }
}

TEST_F(FreeFont, NarrowTextureRowsStayApartWhateverTheCallersAlignment)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    UploadGlyphTexture(texture, {10, 10, 20, 20, 30, 30, 40, 40}, 1, 4);
    unsigned char rgba[16] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glDeleteTextures(1, &texture);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(rgba[4 * j], 10 * (j + 1)) << "row " << j;
        EXPECT_EQ(rgba[4 * j + 3], 10 * (j + 1)) << "row " << j;
    }
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
}

TEST_F(FreeFont, PrintGivesTheCallerItsStateBack)
{
    GLfloat projection[16], modelview[16], after[16];
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 4.0 / 3.0, 1.0, 1000.0);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1.0f, 2.0f, 0.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glMatrixMode(GL_PROJECTION);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glListBase(7);
    GLint projectionDepth = 0, modelviewDepth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewDepth);

    font.Print(10.0f, 10.0f, "State\n%d", 1);

    GLint mode = 0, base = 0, depth = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_TRUE(std::equal(projection, projection + 16, after));
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_TRUE(std::equal(modelview, modelview + 16, after));
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, projectionDepth);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, modelviewDepth);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.25f);
    EXPECT_FLOAT_EQ(colour[1], 0.5f);
    EXPECT_FLOAT_EQ(colour[2], 0.75f);
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 7);
    glMatrixMode(GL_MODELVIEW);
}

TEST_F(FreeFont, LoadingTwiceLeavesOneSetOfNamesAndCleanTakesThemAll)
{
    font.Clean();
    const int textures = CountNames(IsTexture), lists = CountNames(IsList);
    font.Load(FontPath, FontSize);
    font.Load(FontPath, 14);
    EXPECT_FLOAT_EQ(font.height, 14.0f);
    EXPECT_EQ(CountNames(IsTexture), textures + 128);
    EXPECT_EQ(CountNames(IsList), lists + 128);
    for (int c = 0; c < 128; ++c) {
        EXPECT_TRUE(glIsTexture(font.textures[c])) << c;
        EXPECT_TRUE(glIsList(font.listBase + c)) << c;
    }
    font.Clean();
    font.Clean();
    EXPECT_EQ(font.textures, nullptr);
    EXPECT_EQ(font.listBase, 0u);
    EXPECT_EQ(CountNames(IsTexture), textures);
    EXPECT_EQ(CountNames(IsList), lists);
}

TEST_F(FreeFont, UnopenableFontFileNamesTheProblemAndLeavesTheFontEmpty)
{
    CTempDir dir;
    const std::string notAFont = dir.Write("debug_font.ttf", "plain text, not a font\n");
    for (const std::string& path : {dir.Path() + "/missing.ttf", notAFont}) {
        try {
            font.Load(path.c_str(), FontSize);
            ADD_FAILURE() << "no exception for " << path;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Unable to load font '" + path +
                          "': FT_New_Face failed (there is probably a problem with your font file)");
        }
        EXPECT_EQ(font.textures, nullptr);
        EXPECT_EQ(font.listBase, 0u);
    }
}

// The font with every glyph outline overwritten: the face opens, no glyph loads.
std::string WriteFontWithBrokenGlyphs(const CTempDir& dir)
{
    std::string data = ReadFile(FontPath);
    if (data.size() < 12) { // not even a table directory to walk
        ADD_FAILURE() << "cannot read " << FontPath;
        return "";
    }
    auto u16 = [&](size_t at) { return (uint8_t(data[at]) << 8) | uint8_t(data[at + 1]); };
    auto u32 = [&](size_t at) { return (size_t(u16(at)) << 16) | u16(at + 2); };
    const int tables = u16(4);
    for (int i = 0; i < tables; ++i) {
        const size_t record = 12 + 16 * static_cast<size_t>(i);
        if (data.compare(record, 4, "glyf") == 0)
            data.replace(u32(record + 8), u32(record + 12), u32(record + 12), '\xff');
    }
    return dir.Write("broken.ttf", data);
}

TEST_F(FreeFont, UnloadableGlyphThrowsAndCleanFreesWhatWasMade)
{
    font.Clean();
    const int textures = CountNames(IsTexture), lists = CountNames(IsList);
    CTempDir dir;
    const std::string path = WriteFontWithBrokenGlyphs(dir);
    try {
        font.Load(path.c_str(), FontSize);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to load font '" + path + "': FT_Load_Glyph failed");
    }
    EXPECT_NE(font.listBase, 0u);
    font.Print(40.0f, 100.0f, "L"); // empty lists: harmless
    font.Clean();
    EXPECT_EQ(CountNames(IsTexture), textures);
    EXPECT_EQ(CountNames(IsList), lists);
}

// A bitmap-only font in BDF, X11's text format: one 9-pixel size, an 'L' of
// 5 x 8 pixels (bottom row one pixel below the baseline) on an 8-pixel advance.
std::string WriteBitmapFont(const CTempDir& dir)
{
    std::string bdf =
        "STARTFONT 2.1\nFONT -baizeline-test-medium-r-normal--9-90-75-75-c-80-iso10646-1\n"
        "SIZE 9 75 75\nFONTBOUNDINGBOX 8 9 0 -2\nSTARTPROPERTIES 3\nPIXEL_SIZE 9\n"
        "FONT_ASCENT 7\nFONT_DESCENT 2\nENDPROPERTIES\nCHARS 2\n"
        "STARTCHAR space\nENCODING 32\nSWIDTH 640 0\nDWIDTH 8 0\nBBX 1 1 0 0\nBITMAP\n00\nENDCHAR\n"
        "STARTCHAR L\nENCODING 76\nSWIDTH 640 0\nDWIDTH 8 0\nBBX 5 8 0 -1\nBITMAP\n";
    for (int row = 0; row < 7; ++row)
        bdf += "80\n";
    bdf += "F8\nENDCHAR\nENDFONT\n";
    return dir.Write("fixed.bdf", bdf);
}

TEST_F(FreeFont, BitmapOnlyFontDrawsAtItsFixedSizeInsteadOfBeingRefused)
{
    CTempDir dir;
    const std::string path = WriteBitmapFont(dir);
    // 10 points at 96 dpi is 13.3 pixels; the font's only size is 9.
    ASSERT_NO_THROW(font.Load(path.c_str(), FontSize));
    EXPECT_FLOAT_EQ(font.height, float(FontSize)); // the line spacing asked for
    GlyphPicture l;
    l.top = 7;
    l.width = 5;
    l.rows = 8;
    for (int row = 0; row < 8; ++row)
        for (int x = 0; x < 5; ++x)
            l.coverage.push_back(x == 0 || row == 7 ? 255 : 0);
    Clear();
    font.Print(40.0f, 100.0f, "LL");
    const std::vector<unsigned char> screen = Screen();
    EXPECT_TRUE(GlyphAt(screen, l, 40, 100));
    EXPECT_TRUE(GlyphAt(screen, l, 48, 100)); // one 8-pixel advance on
    EXPECT_EQ(LitPixels(screen), 2 * 12);
}

TEST_F(FreeFont, FontOfHugeGlyphsIsRefusedBeforeAnyIsRendered)
{
    // 800 bytes whose glyphs come out about 25000 pixels a side: rendered,
    // they took over 4 GB and most of a minute.
    const std::string path =
        std::string(BAIZELINE_SOURCE_DIR) + "/tests/fuzz/corpus/font/regress-huge-glyphs.ttf";
    try {
        font.Load(path.c_str(), FontSize);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("pixels, more than 104: the font file is probably damaged"),
                  std::string::npos)
            << e.what();
    }
    font.Clean();
    EXPECT_EQ(font.textures, nullptr);
}

TEST_F(FreeFont, TextIsCutAtTheBufferAndHighBytesNeverReachOtherLists)
{
    for (GLuint name = font.listBase + 128; name < font.listBase + 256; ++name)
        CompileFlood(name);
    auto printed = [&](const std::string& text) {
        Clear();
        font.Print(40.0f, 100.0f, "%s", text.c_str());
        return Screen();
    };
    const std::vector<unsigned char> one = printed("L"), two = printed("LL");
    ASSERT_NE(one, two);
    // 159 bytes fit; the 160th goes.
    EXPECT_EQ(printed(std::string(157, '\xc0') + "LL"), two);
    EXPECT_EQ(printed(std::string(158, '\xc0') + "LL"), one);
    EXPECT_EQ(printed("L" + std::string(5000, '\xff')), one);
    glDeleteLists(font.listBase + 128, 128);
}

TEST_F(FreeFont, FontNeverLoadedOrCleanedDrawsNothing)
{
    font.Clean();
    // From a zero base 'L' would name this list; it floods the window if called.
    const bool flood = !glIsList('L');
    if (flood)
        CompileFlood('L');
    CFreeFont empty;
    empty.Print(40.0f, 100.0f, "L");
    empty.Print(40.0f, 100.0f, nullptr);
    font.Print(40.0f, 100.0f, "L");
    EXPECT_EQ(LitPixels(Screen()), 0);
    if (flood)
        glDeleteLists('L', 1);
}

TEST(GameFont, CloseReleasesTheFont)
{
    ASSERT_TRUE(EnsureGlWindow());
    CGame game;
    game.font.Load(FontPath, FontSize);
    const GLuint base = game.font.listBase;
    ASSERT_TRUE(glIsList(base));
    game.Close();
    EXPECT_EQ(game.font.textures, nullptr);
    EXPECT_EQ(game.font.listBase, 0u);
}

} // namespace
