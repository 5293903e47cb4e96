// CTexture: BMP file to GL texture, converting every pixel format to R,G,B bytes.
#include "scene/Texture.h"

#include "scene/BmpCheck.h"
#include "scene/BmpIndexed.h"
#include "scene/MipChain.h"
#include "scene/RegularFile.h"

#include <SDL.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

// Reads the pixel at byte `p` of a surface with `bytes` bytes per pixel, in the
// host's order as SDL stores it.
static Uint32 ReadPixel(const Uint8* p, int bytes)
{
    switch (bytes) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
        return p[0] | (p[1] << 8) | (p[2] << 16);
#else
        return (p[0] << 16) | (p[1] << 8) | p[2];
#endif
    default:
        return *reinterpret_cast<const Uint32*>(p);
    }
}

// SDL's BMP reader accepts headers whose bit depth it cannot really hold (a
// palettised format without a palette, say), and its blitters then read through
// null or past the end of the palette. The expansion below is our own and
// checks the format first.
static bool FormatIsSound(const SDL_Surface* s)
{
    const SDL_PixelFormat* f = s->format;
    if (!f || !s->pixels || s->w < 0 || s->h < 0 || f->BytesPerPixel < 1 || f->BytesPerPixel > 4)
        return false;
    if (s->pitch < s->w * f->BytesPerPixel)
        return false;
    if (f->BitsPerPixel <= 8)
        return f->BytesPerPixel == 1 && f->palette && f->palette->colors &&
               f->palette->ncolors > 0;
    return true;
}

bool ExpandToRgb(const SDL_Surface* s, std::vector<unsigned char>& rgb)
{
    if (!FormatIsSound(s))
        return false;
    const SDL_PixelFormat* f = s->format;
    const int rowBytes = (s->w * 3 + 3) & ~3;
    rgb.assign(static_cast<size_t>(rowBytes) * s->h, 0);
    for (int y = 0; y < s->h; ++y) {
        const Uint8* src = static_cast<const Uint8*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
        unsigned char* dst = &rgb[static_cast<size_t>(y) * rowBytes];
        for (int x = 0; x < s->w; ++x, src += f->BytesPerPixel, dst += 3) {
            const Uint32 pixel = ReadPixel(src, f->BytesPerPixel);
            if (f->BitsPerPixel <= 8) {
                // An index past the palette shows black rather than reading beyond it.
                if (pixel < static_cast<Uint32>(f->palette->ncolors)) {
                    const SDL_Color& c = f->palette->colors[pixel];
                    dst[0] = c.r;
                    dst[1] = c.g;
                    dst[2] = c.b;
                }
            } else {
                SDL_GetRGB(pixel, const_cast<SDL_PixelFormat*>(f), &dst[0], &dst[1], &dst[2]);
            }
        }
    }
    return true;
}

CTexture::CTexture() : id(0), levels(0), mipmapped(false), live(false)
{
}

CTexture::CTexture(const std::string& fileName) : id(0), levels(0), mipmapped(false), live(false)
{
    Load(fileName);
}

CTexture::~CTexture()
{
    Free();
}

[[noreturn]] static void Refuse(const std::string& fileName, const char* why)
{
    char message[1024];
    snprintf(message, sizeof message, "Unable to load image '%s': %s", fileName.c_str(), why);
    throw std::runtime_error(message);
}

// Bytes of the file DecodeIndexedBmp may need: the palette and the rows of a
// plain file; for RLE, the palette and what even the least thrifty writer (a run of one for every pixel, an end
// of line for every row) would have written. What lies beyond is never read.
static long IndexedBytes(const BmpHeader& h, long fileSize)
{
    long long need;
    if (h.compression == BmpRle8 || h.compression == BmpRle4)
        need = 2LL * h.width * h.height + 2LL * h.height + 2;
    else
        need = ((static_cast<long long>(h.width) * h.bits + 31) / 32) * 4 * h.height;
    need += h.offset;
    // The palette may lie after the pixels in a hostile file.
    const long long palette = 14LL + h.infoSize + (h.infoSize == 12 ? 3LL : 4LL) * h.colours;
    if (palette > need)
        need = palette;
    return need < fileSize ? static_cast<long>(need) : fileSize;
}

// The picture as R,G,B bytes, top row first, rows padded to 4 bytes. SDL
// trusts the sizes in a BMP header (a 60-byte file may claim 30000×30000
// pixels), so the header is checked before anything reads the pixels. SDL's
// reader looks for the palette 40 bytes into the info header, whatever its
// size, and knows no RLE: pictures of 1 to 8 bits go through our own decoder.
static void ReadBmp(const std::string& fileName, std::vector<unsigned char>& rgb, int& w, int& h)
{
    if (NotRegularFile(fileName.c_str()))
        Refuse(fileName, "not a regular file");
    SDL_RWops* stream = SDL_RWFromFile(fileName.c_str(), "rb");
    if (!stream)
        Refuse(fileName, SDL_GetError());
    unsigned char bytes[BmpHeaderBytes];
    const long fileSize = SDL_RWseek(stream, 0, RW_SEEK_END);
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    const int got = SDL_RWread(stream, bytes, 1, sizeof bytes);
    std::string why;
    BmpHeader header;
    if (fileSize < 0 || got < 0 || !ReadBmpHeader(bytes, got, fileSize, header, why)) {
        SDL_RWclose(stream);
        Refuse(fileName, why.empty() ? "cannot read the file" : why.c_str());
    }
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    if (header.bits <= 8) {
        std::vector<unsigned char> file(static_cast<size_t>(IndexedBytes(header, fileSize)));
        const bool read = SDL_RWread(stream, file.data(), 1, static_cast<int>(file.size())) ==
                          static_cast<int>(file.size());
        SDL_RWclose(stream);
        if (!read)
            Refuse(fileName, "cannot read the file");
        if (!DecodeIndexedBmp(file.data(), file.size(), header, rgb, why))
            Refuse(fileName, why.c_str());
        w = static_cast<int>(header.width);
        h = static_cast<int>(header.height);
        return;
    }
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
    if (!surface)
        Refuse(fileName, SDL_GetError());
    // BMPs hold blue first and may be 16/32-bit: GL 1.1 takes none of that as
    // GL_RGB, so every picture is expanded to R,G,B bytes.
    const bool sound = ExpandToRgb(surface, rgb);
    w = surface->w;
    h = surface->h;
    SDL_FreeSurface(surface);
    if (!sound)
        Refuse(fileName, "unsupported pixel format");
}

void CTexture::Load(const std::string& fileName)
{
    // Rows padded to 4 bytes, as GL's default unpack alignment expects.
    std::vector<unsigned char> rgb;
    int w = 0, h = 0;
    ReadBmp(fileName, rgb, w, h);

    Free(); // a reloaded texture replaces its old GL name rather than leaking it
    glGenTextures(1, &id);
    live = true;
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Wrap stays GL_REPEAT (the default): the room tiles its pictures with it.
    // Rows go in top first, so the picture's top row is t = 0. No mipmaps.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    levels = 1;
    mipmapped = false;
    name = fileName;
}

bool CTexture::MakeSmallerLevels()
{
    // Made the first time a play mode asks, from level 0 read back: the free
    // table never pays their memory (a third more per picture) nor their time.
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    if (w < 1 || h < 1)
        return false;
    std::vector<unsigned char> rgb(static_cast<size_t>(RgbRowBytes(w)) * static_cast<size_t>(h));
    GLint packing = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packing);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packing);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    std::vector<unsigned char> half;
    while (w > 1 || h > 1) {
        int hw = 0, hh = 0;
        if (!HalveRgb(rgb, w, h, half, hw, hh))
            return false;
        glTexImage2D(GL_TEXTURE_2D, levels, 3, hw, hh, 0, GL_RGB, GL_UNSIGNED_BYTE, half.data());
        rgb.swap(half);
        w = hw;
        h = hh;
        ++levels;
    }
    return true;
}

void CTexture::UseMipmaps(bool on)
{
    if (!live)
        return;
    glBindTexture(GL_TEXTURE_2D, id);
    // An unfinished chain would leave the texture incomplete, which GL draws
    // as untextured: such a picture stays on level 0.
    if (on && !mipmapped)
        mipmapped = levels == 1 && MakeSmallerLevels();
    // Bilinear within the nearest level: the cloth and the floor stop
    // shimmering far off. Trilinear (blending two levels) hides the seams
    // where the level changes too, but cost the play table about half again
    // its time on the software renderer; this costs what GL_LINEAR did.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    on && mipmapped ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
}

void CTexture::Free()
{
    if (live)
        glDeleteTextures(1, &id);
    live = false;
}
