// Test support: one-colour BMP pictures written through SDL's own writer.
#include "tests/support/Bitmap.h"

#include <gtest/gtest.h>

#include <SDL.h>

void WriteBmp(const std::string& path, unsigned char r, unsigned char g, unsigned char b,
              int width, int height, int depth)
{
    SDL_Surface* s =
        depth == 32 ? SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x00FF0000,
                                           0x0000FF00, 0x000000FF, 0xFF000000)
                    : SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, depth, 0, 0, 0, 0);
    ASSERT_NE(s, nullptr) << SDL_GetError();
    if (depth == 8) {
        SDL_Color palette[2] = {{0, 0, 0, 0}, {r, g, b, 0}};
        SDL_SetColors(s, palette, 0, 2);
    }
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    const int saved = SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    ASSERT_EQ(saved, 0) << path << ": " << SDL_GetError();
}
