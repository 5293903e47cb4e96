// CTexture: BMP file to GL texture, converting every pixel format to R,G,B bytes.
#include "scene/Texture.h"

#include "scene/BmpCheck.h"
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

CTexture::CTexture() : id(0), live(false)
{
}

CTexture::CTexture(const std::string& fileName) : id(0), live(false)
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

// SDL trusts the sizes in a BMP header (a 60-byte file may claim 30000×30000
// pixels), so the header is checked before SDL reads the stream.
static SDL_Surface* ReadBmp(const std::string& fileName)
{
    if (NotRegularFile(fileName.c_str()))
        Refuse(fileName, "not a regular file");
    SDL_RWops* stream = SDL_RWFromFile(fileName.c_str(), "rb");
    if (!stream)
        Refuse(fileName, SDL_GetError());
    unsigned char header[54];
    const long fileSize = SDL_RWseek(stream, 0, RW_SEEK_END);
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    const int got = SDL_RWread(stream, header, 1, sizeof header);
    std::string why;
    if (fileSize < 0 || got < 0 || !CheckBmpHeader(header, got, fileSize, why)) {
        SDL_RWclose(stream);
        Refuse(fileName, why.empty() ? "cannot read the file" : why.c_str());
    }
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
    if (!surface)
        Refuse(fileName, SDL_GetError());
    return surface;
}

void CTexture::Load(const std::string& fileName)
{
    SDL_Surface* file = ReadBmp(fileName);
    // BMPs hold blue first and may be palettised or 16/32-bit: GL 1.1 takes
    // none of that as GL_RGB, so every picture is expanded to R,G,B bytes, its
    // rows padded to 4 bytes as GL's default unpack alignment expects.
    std::vector<unsigned char> rgb;
    const bool sound = ExpandToRgb(file, rgb);
    const int w = file->w, h = file->h;
    SDL_FreeSurface(file);
    if (!sound)
        Refuse(fileName, "unsupported pixel format");

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
    name = fileName;
}

void CTexture::Free()
{
    if (live)
        glDeleteTextures(1, &id);
    live = false;
}
