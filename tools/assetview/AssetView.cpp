// assetview: renders the generated assets as the game would show them, one
// PNG per view, for people to look at. Run it from the game's run directory
// (it reads data/ there); it needs an X display (xvfb-run will do).
//   assetview OUT_DIR [WIDTH HEIGHT]
#include "tools/assetgen/PngFile.h"
#include "tools/assetview/FrameCapture.h"
#include "tools/assetview/PreviewScene.h"
#include "tools/assetview/PreviewViews.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

bool OpenWindow(int width, int height)
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "assetview: SDL_Init failed: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(width, height, 0, SDL_OPENGL)) {
        fprintf(stderr, "assetview: SDL_SetVideoMode failed: %s\n", SDL_GetError());
        SDL_Quit();
        return false;
    }
    return true;
}

void RenderViews(const std::string& outDir, int width, int height)
{
    CPreviewScene scene;
    scene.Load();
    const std::vector<PreviewBall> rack = scene.balls;
    for (const PreviewView& view : PreviewViews()) {
        scene.balls = view.lineUp ? LineUp() : rack;
        scene.showCue = !view.lineUp;
        CPreviewScene::SetCamera(view.eye, view.look);
        scene.Draw(view.eye);
        std::string path = outDir + "/" + view.name + ".png";
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
    int width = argc == 4 ? atoi(argv[2]) : 1024;
    int height = argc == 4 ? atoi(argv[3]) : 768;
    if (width <= 0 || height <= 0 || !OpenWindow(width, height))
        return 1;
    int status = 0;
    try {
        RenderViews(argv[1], width, height);
    } catch (const std::exception& e) {
        fprintf(stderr, "assetview: %s\n", e.what());
        status = 1;
    }
    SDL_Quit();
    return status;
}
