// assetview: the game's level drawn by the game's own code from a set of views,
// one PNG per view, for people to look at. Run it from the game's run directory
// (it reads data/ there); it needs an X display (xvfb-run will do).
//   assetview OUT_DIR [WIDTH HEIGHT]
#include "app/Game.h"
#include "tools/assetgen/PngFile.h"
#include "tools/assetview/FrameCapture.h"
#include "tools/assetview/PreviewScene.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

void RenderViews(const std::string& outDir, int width, int height)
{
    // The game's window and GL state; but a tool leaves the pointer alone.
    Game.Create("assetview", width, height, 0, false);
    SDL_WM_GrabInput(SDL_GRAB_OFF);
    SDL_ShowCursor(SDL_ENABLE);
    LoadPreviewLevel();
    for (const PreviewView& view : PreviewViews()) {
        DrawPreview(view);
        const std::string path = outDir + "/" + view.name + ".png";
        WritePng(path, CaptureFrame(width, height));
        printf("wrote %s\n", path.c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4) {
        fprintf(stderr, "usage: %s OUT_DIR [WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    const int width = argc == 4 ? atoi(argv[2]) : 1024;
    const int height = argc == 4 ? atoi(argv[3]) : 768;
    if (width <= 0 || height <= 0) {
        fprintf(stderr, "assetview: bad size %s x %s\n", argv[2], argv[3]);
        return 2;
    }
    int status = 0;
    try {
        RenderViews(argv[1], width, height);
    } catch (const std::exception& e) {
        fprintf(stderr, "assetview: %s\n", e.what());
        status = 1;
    }
    UnloadPreviewLevel();
    Game.Close();
    return status;
}
