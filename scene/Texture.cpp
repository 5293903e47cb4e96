// CTexture: BMP file to GL texture, converting every pixel format to R,G,B bytes.
#include "scene/Texture.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

// 24-bit surface whose bytes in memory run R, G, B whatever the host's byte order.
static SDL_PixelFormat Rgb24Format()
{
    SDL_PixelFormat f{};
    f.BitsPerPixel = 24;
    f.BytesPerPixel = 3;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    f.Rmask = 0x000000FF;
    f.Gmask = 0x0000FF00;
    f.Bmask = 0x00FF0000;
    f.Rshift = 0;
    f.Gshift = 8;
    f.Bshift = 16;
#else
    f.Rmask = 0x00FF0000;
    f.Gmask = 0x0000FF00;
    f.Bmask = 0x000000FF;
    f.Rshift = 16;
    f.Gshift = 8;
    f.Bshift = 0;
#endif
    f.alpha = 255;
    return f;
}

SDL_Surface* ConvertToRgb24(SDL_Surface* surface)
{
    SDL_PixelFormat format = Rgb24Format();
    return SDL_ConvertSurface(surface, &format, SDL_SWSURFACE);
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

static SDL_Surface* ReadBmp(const std::string& fileName)
{
    SDL_RWops* stream = SDL_RWFromFile(fileName.c_str(), "rb");
    SDL_Surface* surface = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (!surface) {
        char message[1024];
        snprintf(message, sizeof message, "Unable to load image '%s': %s", fileName.c_str(),
                 SDL_GetError());
        throw std::runtime_error(message);
    }
    return surface;
}

void CTexture::Load(const std::string& fileName)
{
    SDL_Surface* file = ReadBmp(fileName);
    // BMPs hold blue first and may be palettised or 16/32-bit: GL 1.1 takes
    // none of that as GL_RGB, so every picture is converted to R,G,B bytes.
    SDL_Surface* rgb = ConvertToRgb24(file);
    SDL_FreeSurface(file);
    if (!rgb) {
        char message[1024];
        snprintf(message, sizeof message, "Unable to load image '%s': %s", fileName.c_str(),
                 SDL_GetError());
        throw std::runtime_error(message);
    }

    // GL reads rows padded to 4 bytes (its default unpack alignment), as SDL
    // pads them; a surface with any other pitch is repacked first.
    const int glPitch = (rgb->w * 3 + 3) & ~3;
    std::vector<Uint8> repacked;
    if (SDL_MUSTLOCK(rgb))
        SDL_LockSurface(rgb);
    const Uint8* pixels = static_cast<const Uint8*>(rgb->pixels);
    if (rgb->pitch != glPitch) {
        repacked.resize(static_cast<size_t>(glPitch) * rgb->h);
        for (int row = 0; row < rgb->h; ++row)
            memcpy(&repacked[static_cast<size_t>(row) * glPitch], pixels + row * rgb->pitch,
                   static_cast<size_t>(rgb->w) * 3);
        pixels = repacked.data();
    }

    Free(); // a reloaded texture replaces its old GL name rather than leaking it
    glGenTextures(1, &id);
    live = true;
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Wrap stays GL_REPEAT (the default): the room tiles its pictures with it.
    // Rows go in top first, so the picture's top row is t = 0. No mipmaps.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, rgb->w, rgb->h, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    if (SDL_MUSTLOCK(rgb))
        SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
    name = fileName;
}

void CTexture::Free()
{
    if (live)
        glDeleteTextures(1, &id);
    live = false;
}
