// The program's entry: start-up sequence, the busy-waited frame loop, the fatal-error box.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/ErrorBox.h"
#include "app/FrameClock.h"
#include "app/HeapTuning.h"
#include "app/Game.h"

extern "C" int SDL_main(int argc, char* argv[])
{
    (void)argc;
    (void)argv;
    // Refused only by unusual C libraries; the game then runs as before.
    KeepFreedHeap();
    // Off unless BAIZELINE_FRAMES asks for a measured run of that many frames.
    CFrameClock clock(getenv("BAIZELINE_FRAMES"));
    try {
        Game.ReadIni();
        Game.Create();
        Game.LoadData();
        Game.LoadLevel();
        Game.ApplyGamma();

        Uint32 previous = SDL_GetTicks();
        while (Game.running) {
            SDL_Event event;
            while (SDL_PollEvent(&event))
                Game.HandleEvent(event);
            // Spin until the millisecond tick moves, so dt is never below 1 ms.
            Uint32 now;
            while ((now = SDL_GetTicks()) == previous) {
            }
            const float dt = static_cast<float>(static_cast<Sint32>(now - previous)) / 1000.0f;
            previous = now;
            Game.Move(dt);
            Game.Draw();
            Game.FlipScreen();
            if (clock.On() && !clock.Presented(MonotonicSeconds(), WallSeconds()))
                Game.running = false;
        }
        if (clock.On())
            clock.Report(stderr);
        Game.Close();
        return 0;
    } catch (const std::exception& e) {
        // Give the pointer and keyboard back first, or the box could not be used.
        if (SDL_WasInit(SDL_INIT_VIDEO)) {
            SDL_WM_GrabInput(SDL_GRAB_OFF);
            SDL_ShowCursor(SDL_ENABLE);
        }
        ShowErrorBox("Error", e.what());
        Game.Close();
        return -1;
    }
}

#ifndef main
// SDL 1.2 renames main only on some platforms; elsewhere we hand over ourselves.
int main(int argc, char* argv[])
{
    return SDL_main(argc, argv);
}
#endif
