// Texture cache under a real GL context: upload format, colours, look-up by exact name.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <SDL.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "scene/TextureList.h"
#include "tests/support/Bitmap.h"
#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"

namespace {

Rgb TexelAt(GLuint id, int x, int y, int w, int h)
{
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 3);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    const size_t i = (static_cast<size_t>(y) * w + x) * 3;
    return Rgb{px[i], px[i + 1], px[i + 2]};
}

class TextureList : public GlTest {
protected:
    // A w×h picture of `depth` bits and one colour in the scratch directory; answers its path.
    std::string Picture(const std::string& name, int w, int h, int depth, Uint8 r, Uint8 g, Uint8 b)
    {
        const std::string path = dir.Path() + "/" + name;
        WriteBmp(path, r, g, b, w, h, depth);
        return path;
    }

    CTempDir dir;
};

TEST_F(TextureList, RedPictureGivesRedTexelsWithLinearFiltersAndNoMipmaps)
{
    CTextureList cache;
    const std::string path = Picture("red.bmp", 64, 64, 24, 255, 0, 0);
    cache.Add(path);
    CTexture* t = cache.Get(path);
    ASSERT_NE(t, nullptr);
    const Rgb texel = TexelAt(t->id, 5, 5, 64, 64);
    EXPECT_EQ(texel.r, 255);
    EXPECT_EQ(texel.g, 0);
    EXPECT_EQ(texel.b, 0);

    GLint w = 0, h = 0, minF = 0, magF = 0, wrap = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minF);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magF);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 64);
    EXPECT_EQ(minF, GL_LINEAR);
    EXPECT_EQ(magF, GL_LINEAR);
    EXPECT_EQ(wrap, GL_REPEAT);
    GLint level1 = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
    EXPECT_EQ(level1, 0);
}

TEST_F(TextureList, PalettisedAndThirtyTwoBitPicturesKeepTheirColours)
{
    CTextureList cache;
    const std::string pal = Picture("pal.bmp", 8, 8, 8, 0, 0, 255);
    const std::string deep = Picture("deep.bmp", 6, 5, 32, 10, 200, 30);
    cache.Add(pal);
    cache.Add(deep);
    const Rgb p = TexelAt(cache.Get(pal)->id, 7, 7, 8, 8);
    EXPECT_EQ(p.r, 0);
    EXPECT_EQ(p.g, 0);
    EXPECT_EQ(p.b, 255);
    const Rgb d = TexelAt(cache.Get(deep)->id, 5, 4, 6, 5); // odd width: padded rows
    EXPECT_EQ(d.r, 10);
    EXPECT_EQ(d.g, 200);
    EXPECT_EQ(d.b, 30);
}

TEST_F(TextureList, TopRowOfThePictureIsTextureRowZero)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0, 0, 0, 0);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    SDL_Rect top = {0, 0, 4, 1};
    SDL_FillRect(s, &top, SDL_MapRGB(s->format, 0, 255, 0));
    const std::string path = dir.Path() + "/top.bmp";
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
    SDL_FreeSurface(s);

    CTexture t(path);
    EXPECT_EQ(TexelAt(t.id, 1, 0, 4, 4).g, 255);
    EXPECT_EQ(TexelAt(t.id, 1, 3, 4, 4).g, 0);
}

TEST_F(TextureList, GetIsExactAndAnswersTheFirstOfDuplicates)
{
    CTextureList cache;
    EXPECT_EQ(cache.Get("data/wall.bmp"), nullptr); // empty cache: no error
    const std::string wall = Picture("wall.bmp", 4, 4, 24, 1, 2, 3);
    cache.Add(wall);
    cache.Add(wall);
    ASSERT_EQ(cache.entries.size(), 2u);
    EXPECT_NE(cache.entries[0]->id, cache.entries[1]->id);
    EXPECT_EQ(cache.Get(wall), cache.entries[0]);

    std::string upper = wall;
    upper[upper.size() - 8] = 'W';
    try {
        cache.Get(upper);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to find '" + upper + "' in texture list");
    }
}

TEST_F(TextureList, MissingFileNamesItselfAndLeavesTheCacheAsItWas)
{
    CTextureList cache;
    cache.Add(Picture("a.bmp", 2, 2, 24, 0, 0, 0));
    try {
        cache.Add("data/no such.bmp");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Unable to load image 'data/no such.bmp': ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(cache.entries.size(), 1u);

    const std::string junk = dir.Write("junk.bmp", "BM not really a bitmap");
    EXPECT_THROW(cache.Add(junk), std::runtime_error);
    EXPECT_EQ(cache.entries.size(), 1u);
}

TEST_F(TextureList, PipeOrDirectoryIsRefusedWithoutWaitingForAWriter)
{
    const std::string pipe = dir.Path() + "/pipe.bmp";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    CTextureList cache;
    for (const std::string& path : {pipe, dir.Path()}) {
        try {
            cache.Add(path); // a pipe would block here, before any check of its bytes
            ADD_FAILURE() << "no exception for " << path;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to load image '" + path + "': not a regular file");
        }
    }
    EXPECT_TRUE(cache.entries.empty());
}

TEST_F(TextureList, OddDepthIsRefusedBeforeSdlReadsIt)
{
    // A 9×1 header claiming 2049 bits per pixel: SDL would read it into a
    // palettised surface with no palette, which its own converter dereferences.
    const unsigned char file[] = {
        0x42, 0x4d, 0x42, 0, 0, 0, 0, 0, 0, 0, 0x3e, 0, 0, 0, 0x28, 0, 0, 0, 9, 0, 0, 0, 1, 0,
        0, 0, 1, 0, 1, 8, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0x3d, 0, 0, 0x13, 0x0b, 0, 0, 2, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0, 1, 1, 0xfe, 0, 0, 7, 0x0e, 0x15};
    const std::string path =
        dir.Write("odd.bmp", std::string(reinterpret_cast<const char*>(file), sizeof file));
    CTextureList cache;
    try {
        cache.Add(path);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to load image '" + path + "': unsupported bit depth");
    }
    EXPECT_TRUE(cache.entries.empty());
}

TEST_F(TextureList, HugeClaimedSizeInATinyFileIsRefused)
{
    unsigned char file[70] = {'B', 'M'};
    file[10] = 54;  // pixel offset
    file[14] = 40;  // info header size
    file[18] = 0x30; file[19] = 0x75; // width 30000
    file[22] = 0x30; file[23] = 0x75; // height 30000
    file[26] = 1;   // planes
    file[28] = 24;  // bits
    const std::string path =
        dir.Write("huge.bmp", std::string(reinterpret_cast<const char*>(file), sizeof file));
    CTextureList cache;
    EXPECT_THROW(cache.Add(path), std::runtime_error);
    file[19] = 0; file[23] = 0; // 48×48: still more pixels than the file holds
    const std::string shorter =
        dir.Write("short.bmp", std::string(reinterpret_cast<const char*>(file), sizeof file));
    try {
        cache.Add(shorter);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to load image '" + shorter + "': file is shorter than its pixels");
    }
}

TEST(ExpandToRgb, PaletteIndicesBeyondThePaletteShowBlackAndNoPaletteIsRefused)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 1, 8, 0, 0, 0, 0);
    ASSERT_NE(s, nullptr);
    SDL_Color palette[2] = {{10, 20, 30, 0}, {200, 100, 50, 0}};
    SDL_SetColors(s, palette, 0, 2);
    s->format->palette->ncolors = 2;
    Uint8* px = static_cast<Uint8*>(s->pixels);
    px[0] = 1;
    px[1] = 0;
    px[2] = 250; // no such colour
    std::vector<unsigned char> rgb;
    ASSERT_TRUE(ExpandToRgb(s, rgb));
    ASSERT_EQ(rgb.size(), 12u); // 9 bytes padded to 12
    EXPECT_EQ(std::vector<unsigned char>(rgb.begin(), rgb.begin() + 9),
              (std::vector<unsigned char>{200, 100, 50, 10, 20, 30, 0, 0, 0}));

    SDL_Palette* kept = s->format->palette;
    s->format->palette = nullptr;
    EXPECT_FALSE(ExpandToRgb(s, rgb));
    s->format->palette = kept;
    SDL_FreeSurface(s);
}

TEST_F(TextureList, FreeDeletesTheGlTexturesOnce)
{
    CTextureList cache;
    cache.Add(Picture("a.bmp", 2, 2, 24, 0, 0, 0));
    ASSERT_EQ(cache.entries.size(), 1u);
    const GLuint id = cache.entries[0]->id;
    EXPECT_TRUE(glIsTexture(id));
    cache.Free();
    EXPECT_TRUE(cache.entries.empty());
    EXPECT_FALSE(glIsTexture(id));

    CTexture t;
    t.Load(Picture("b.bmp", 2, 2, 24, 0, 0, 0));
    const GLuint first = t.id;
    t.Free();
    GLuint reused = 0;
    glGenTextures(1, &reused);
    glBindTexture(GL_TEXTURE_2D, reused); // GL may hand the freed name out again
    t.Free();                             // must not delete someone else's texture
    EXPECT_TRUE(glIsTexture(reused));
    EXPECT_EQ(t.id, first);
    glDeleteTextures(1, &reused);
}

} // namespace
