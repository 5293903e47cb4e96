// Texture cache under a real GL context: upload format, colours, look-up by exact name.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/TextureList.h"
#include "tests/support/Bitmap.h"
#include "tests/support/ChildProcess.h"
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

TEST_F(TextureList, RedPictureGivesRedTexelsWithLinearFiltersAndNoMipmapsUntilAskedFor)
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
    // The free table's pictures: level 0 alone.
    GLint level1 = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
    EXPECT_EQ(level1, 0);
    EXPECT_EQ(t->levels, 1);
    EXPECT_FALSE(t->mipmapped);
    // Asked for, the levels are made, and asked again they are not made twice.
    t->UseMipmaps(true);
    t->UseMipmaps(false);
    t->UseMipmaps(true);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
    EXPECT_EQ(level1, 32);
    EXPECT_EQ(t->levels, 7);
    EXPECT_TRUE(t->mipmapped);
    EXPECT_EQ(TexelAt(t->id, 5, 5, 64, 64).r, 255) << "level 0 untouched";
}

// The play modes draw every picture through its mipmaps: each level must be
// there at its size (a missing one leaves the texture incomplete, which GL
// draws as if texturing were off) and hold the picture, not zeros.
TEST_F(TextureList, EveryGamePictureLoadsAtEveryMipmapLevelWithItsColours)
{
    const std::string data = std::string(BAIZELINE_RUN_DIR) + "/data";
    std::vector<std::string> names = {"wall",       "floor", "ceil",   "cue",  "cloth",
                                      "cloth_play", "rail",  "pocket", "sight"};
    for (int i = 0; i < 16; ++i)
        names.push_back("ball_" + std::to_string(i));
    CTextureList cache;
    for (const std::string& name : names)
        cache.Add(data + "/" + name + ".bmp");
    glBindTexture(GL_TEXTURE_2D, cache.entries[3]->id);
    cache.UseMipmaps(true);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), cache.entries[3]->id) << "the binding is put back";
    for (CTexture* t : cache.entries) {
        glBindTexture(GL_TEXTURE_2D, t->id);
        GLint w = 0, h = 0, minF = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minF);
        EXPECT_EQ(minF, GL_LINEAR_MIPMAP_NEAREST) << t->name;
        int expectLevels = 1;
        while ((w >> (expectLevels - 1)) > 1 || (h >> (expectLevels - 1)) > 1)
            ++expectLevels;
        EXPECT_EQ(t->levels, expectLevels) << t->name;
        for (int level = 1; level < expectLevels; ++level) {
            GLint lw = 0, lh = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &lw);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &lh);
            EXPECT_EQ(lw, std::max(1, w >> level)) << t->name << " level " << level;
            EXPECT_EQ(lh, std::max(1, h >> level)) << t->name << " level " << level;
        }
        // The 1x1 level is the picture's mean colour (every level a box
        // filter of the one above), within rounding.
        std::vector<unsigned char> top(static_cast<size_t>(w) * h * 3), last(3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, top.data());
        glGetTexImage(GL_TEXTURE_2D, expectLevels - 1, GL_RGB, GL_UNSIGNED_BYTE, last.data());
        for (int c = 0; c < 3; ++c) {
            double sum = 0.0;
            for (size_t i = static_cast<size_t>(c); i < top.size(); i += 3)
                sum += top[i];
            EXPECT_NEAR(last[static_cast<size_t>(c)], sum / (double(w) * h), 6.0)
                << t->name << " channel " << c;
        }
    }
    // Back to the free table's look: level 0 alone.
    cache.UseMipmaps(false);
    glBindTexture(GL_TEXTURE_2D, cache.entries[0]->id);
    GLint minF = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minF);
    EXPECT_EQ(minF, GL_LINEAR);
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

// Every texel of a texture, R,G,B, rows top first, unpadded.
std::vector<unsigned char> Texels(const CTexture& t, int* w = nullptr, int* h = nullptr)
{
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, t.id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<unsigned char> px(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    if (w)
        *w = width;
    if (h)
        *h = height;
    return px;
}

// What a BMP's header says: info header size, bits a pixel, compression.
struct BmpKind {
    unsigned infoSize, bits, compression;
};

BmpKind KindOf(const std::string& path)
{
    const std::string b = ReadFile(path);
    auto u32 = [&](size_t at) {
        return at + 4 > b.size() ? 0u
                                 : unsigned(uint8_t(b[at])) | unsigned(uint8_t(b[at + 1])) << 8 |
                                       unsigned(uint8_t(b[at + 2])) << 16 |
                                       unsigned(uint8_t(b[at + 3])) << 24;
    };
    return BmpKind{u32(14), u32(28) & 0xffff, u32(30)};
}

// Runs ImageMagick's convert with `arguments`; a missing convert fails the test.
::testing::AssertionResult Convert(const std::string& arguments)
{
    const std::string command = "/usr/bin/convert " + arguments + " 2>&1";
    if (system(command.c_str()) != 0)
        return ::testing::AssertionFailure()
               << "'" << command << "' failed; tools/install-deps.sh installs imagemagick";
    return ::testing::AssertionSuccess();
}

// A BMP put together byte by byte: file header, a `infoSize`-byte info header
// (the fields past the first 40 zero), the palette (B,G,R,0 each), the pixels.
std::string HandMadeBmp(unsigned infoSize, int w, int h, unsigned bits, unsigned compression,
                        unsigned coloursUsed, const std::vector<unsigned char>& palette,
                        const std::vector<unsigned char>& pixels)
{
    std::string b(14 + infoSize, '\0');
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = char(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    b += std::string(palette.begin(), palette.end());
    put(10, uint32_t(b.size()), 4);
    b += std::string(pixels.begin(), pixels.end());
    put(2, uint32_t(b.size()), 4);
    put(14, infoSize, 4);
    put(18, uint32_t(w), 4);
    put(22, uint32_t(h), 4);
    put(26, 1, 2);
    put(28, bits, 2);
    put(30, compression, 4);
    put(46, coloursUsed, 4);
    return b;
}

TEST_F(TextureList, PalettisedPicturesWithLongInfoHeadersShowTheirOwnColours)
{
    // What ImageMagick writes by default for few colours: 108- and 124-byte
    // info headers with the palette after them. Each is compared texel for
    // texel with the same picture written as plain 24-bit.
    const std::string picture = "-size 9x40 gradient:red-blue -fill black -draw 'point 0,0' "
                                "-fill white -draw 'point 8,39' -fill lime -draw 'point 4,20'";
    const struct {
        std::string name, arguments;
        BmpKind kind;
    } cases[] = {
        {"bilevel", "-size 8x8 xc:white -fill black -draw 'rectangle 0,0 3,7' -type Bilevel",
         {108, 1, 0}},
        {"four", "-size 9x8 xc:white -fill red -draw 'rectangle 0,0 3,7' -fill blue "
                 "-draw 'point 8,7' -type Palette", {124, 4, 0}},
        {"eight", picture + " -type Palette -compress None", {124, 8, 0}},
    };
    for (const auto& c : cases) {
        const std::string plain = dir.Path() + "/" + c.name + "-24.bmp";
        const std::string indexed = dir.Path() + "/" + c.name + ".bmp";
        ASSERT_TRUE(Convert(c.arguments + " -type TrueColor BMP3:" + plain));
        ASSERT_TRUE(Convert(c.arguments + " BMP:" + indexed));
        const BmpKind k = KindOf(indexed);
        ASSERT_EQ(k.infoSize, c.kind.infoSize) << c.name;
        ASSERT_EQ(k.bits, c.kind.bits) << c.name;
        ASSERT_EQ(k.compression, c.kind.compression) << c.name;
        CTexture expected(plain), seen(indexed);
        EXPECT_EQ(Texels(seen), Texels(expected)) << c.name;
    }

    // The colours-used field sets the palette's length: two colours and no
    // room for 256 in the file; an index past them shows black.
    const std::string two = dir.Write(
        "two.bmp", HandMadeBmp(108, 3, 1, 8, 0, 2, {30, 20, 10, 0, 60, 50, 40, 0}, {1, 0, 2, 0}));
    CTexture t(two);
    const std::vector<unsigned char> texels = Texels(t);
    EXPECT_EQ(texels, (std::vector<unsigned char>{40, 50, 60, 10, 20, 30, 0, 0, 0}));

    // Pixels said to start inside the palette, which then reaches past them:
    // read from the file as it is, never beyond it (the sanitizer build checks).
    std::string overlap = HandMadeBmp(40, 3, 1, 8, 0, 0, std::vector<unsigned char>(1024, 7), {});
    overlap[10] = 54;
    overlap[11] = 0;
    const std::string overlapping = dir.Write("overlap.bmp", overlap);
    int w = 0;
    CTexture o(overlapping);
    EXPECT_EQ(Texels(o, &w), (std::vector<unsigned char>{7, 7, 7, 7, 7, 7, 7, 7, 7}));
}

TEST_F(TextureList, RleCompressedPicturesLoadAndDamagedOrMasklessOnesAreRefusedByName)
{
    // RLE8 as ImageMagick writes it, after either header, against its 24-bit twin.
    const std::string picture = "-size 37x21 gradient:red-blue -fill black -draw 'line 0,0 36,20' "
                                "-fill yellow -draw 'rectangle 3,4 30,6' -type Palette";
    const std::string plain = dir.Path() + "/plain.bmp";
    ASSERT_TRUE(Convert(picture + " -type TrueColor BMP3:" + plain));
    CTexture expected(plain);
    std::string rle8;
    for (const char* format : {"BMP3", "BMP"}) {
        rle8 = dir.Path() + "/rle8-" + format + ".bmp";
        ASSERT_TRUE(Convert(picture + " -compress RLE " + format + ":" + rle8));
        ASSERT_EQ(KindOf(rle8).compression, 1u) << format;
        CTexture seen(rle8);
        EXPECT_EQ(Texels(seen), Texels(expected)) << format;
    }

    // RLE4, 7 x 3, rows stored bottom first: a run, an odd literal that runs
    // past the row's end, a move, a padded literal, the end marker.
    std::vector<unsigned char> palette;
    for (unsigned i = 0; i < 11; ++i)
        palette.insert(palette.end(), {uint8_t(i * 7), uint8_t(255 - i * 20), uint8_t(i * 20), 0});
    const std::vector<unsigned char> codes = {
        5, 0x12, 0, 3, 0x30, 0x40, 0, 0,     // 1 2 1 2 1 | 3 0 (a 4 dropped)
        0, 2, 3, 0, 2, 0x55, 0, 0,           // move to x 3: 5 5
        0, 5, 0x67, 0x89, 0xa0, 0, 0, 1};    // 6 7 8 9 10, pad, end
    const std::string rle4 = dir.Write("rle4.bmp", HandMadeBmp(40, 7, 3, 4, 2, 11, palette, codes));
    const int indices[3][7] = {{6, 7, 8, 9, 10, 0, 0}, {0, 0, 0, 5, 5, 0, 0},
                               {1, 2, 1, 2, 1, 3, 0}}; // top row first
    CTexture four(rle4);
    int w = 0, h = 0;
    const std::vector<unsigned char> texels = Texels(four, &w, &h);
    ASSERT_EQ(w, 7);
    ASSERT_EQ(h, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(texels[(y * 7 + x) * 3 + c], palette[indices[y][x] * 4 + 2 - c])
                    << "pixel " << x << ", " << y;

    // Cut short, RLE names the problem; so do bit fields without masks.
    const std::string whole = ReadFile(rle8);
    const std::string cut = dir.Write("cut.bmp", whole.substr(0, whole.size() - 40));
    const std::string maskless = dir.Write(
        "maskless.bmp", HandMadeBmp(40, 2, 2, 16, 3, 0, std::vector<unsigned char>(12, 0),
                                    std::vector<unsigned char>(8, 0x5a)));
    const struct {
        std::string path, why;
    } refused[] = {{cut, "compressed pixels end before the picture does"},
                   {maskless, "bit-field pixels without colour masks (a broken writer)"}};
    for (const auto& r : refused) {
        try {
            CTexture t(r.path);
            ADD_FAILURE() << "no exception for " << r.path;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to load image '" + r.path + "': " + r.why);
        }
    }
}

TEST_F(TextureList, GamesOwnPicturesPutThroughAPlainConvertLoadUnchanged)
{
    // What a player who edits a picture does: to PNG and back with ImageMagick's
    // defaults, which pick RLE8 or a long-header palette for most of them.
    const std::string data = std::string(BAIZELINE_RUN_DIR) + "/data";
    std::vector<std::string> names;
    for (const char* n : {"wall", "floor", "ceil", "cue", "cloth", "rail", "pocket", "sight"})
        names.push_back(n);
    for (int i = 0; i < 16; ++i)
        names.push_back("ball_" + std::to_string(i));
    int palettised = 0;
    for (const std::string& name : names) {
        const std::string original = data + "/" + name + ".bmp";
        const std::string png = dir.Path() + "/" + name + ".png";
        const std::string again = dir.Path() + "/" + name + ".bmp";
        ASSERT_TRUE(Convert("'" + original + "' '" + png + "'"));
        ASSERT_TRUE(Convert("'" + png + "' '" + again + "'"));
        palettised += KindOf(again).bits <= 8;
        CTexture before(original), after(again);
        EXPECT_EQ(Texels(after), Texels(before)) << name;
    }
    EXPECT_GE(palettised, 16); // the case in point, not 24 files of 24 bits
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
