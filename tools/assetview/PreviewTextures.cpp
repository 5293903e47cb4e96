// Textures for the preview renderer: BMP files by path, loaded on first use.
#include "tools/assetview/PreviewTextures.h"

#include <SDL.h>

#include <stdexcept>
#include <vector>

CPreviewTextures::~CPreviewTextures()
{
    for (auto& entry : loaded)
        glDeleteTextures(1, &entry.second);
}

GLuint CPreviewTextures::Get(const std::string& path)
{
    auto found = loaded.find(path);
    if (found != loaded.end())
        return found->second;
    SDL_Surface* surface = SDL_LoadBMP(path.c_str());
    if (!surface)
        throw std::runtime_error("Unable to load image '" + path + "': " + SDL_GetError());
    if (surface->format->BytesPerPixel != 3) {
        SDL_FreeSurface(surface);
        throw std::runtime_error("Image '" + path + "' is not a 24-bit picture");
    }
    // 24-bit BMP surfaces hold B,G,R; hand OpenGL R,G,B rows, top row first.
    std::vector<unsigned char> rgb(static_cast<size_t>(surface->w) * surface->h * 3);
    for (int y = 0; y < surface->h; ++y) {
        const auto* row = static_cast<const unsigned char*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x)
            for (int c = 0; c < 3; ++c)
                rgb[(static_cast<size_t>(y) * surface->w + x) * 3 + c] = row[x * 3 + 2 - c];
    }
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, surface->w, surface->h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    SDL_FreeSurface(surface);
    loaded[path] = id;
    return id;
}
