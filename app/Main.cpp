// The program's entry: start-up, the frame loop (capped, sleeping or spinning), the error box.
#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "app/CommandLine.h"
#include "app/ErrorBox.h"
#include "app/FrameClock.h"
#include "app/FrameCounter.h"
#include "app/FramePacer.h"
#include "app/HeapTuning.h"
#include "app/Game.h"
#include "app/XErrors.h"

// SDL's headers declare SDL_main only where they rename main to it.
extern "C" int SDL_main(int argc, char* argv[]);

extern "C" int SDL_main(int argc, char* argv[])
{
    CommandLine options;
    std::string error;
    if (!ParseCommandLine(argc, argv, options, error)) {
        fprintf(stderr, "%s  (baizeline: %s)\n", GameUsage, error.c_str());
        return 2;
    }
    if (options.help) {
        printf("%s\n", GameUsage);
        return 0;
    }
    // Refused only by unusual C libraries; the game then runs as before.
    KeepFreedHeap();
    // The log on standard output may go to a pipe whose reader quits
    // (`baizeline | head -1`): the write then fails with EPIPE, which the log
    // handles, instead of the signal killing the game without its close.
    signal(SIGPIPE, SIG_IGN);
    // Off unless BAIZELINE_FRAMES asks for a measured run of that many frames.
    CFrameClock clock(getenv("BAIZELINE_FRAMES"));
    // Off unless a test or script asks to follow the frames as they come.
    CFrameCounter counter(getenv("BAIZELINE_FRAME_COUNTER"));
    try {
        Game.ReadIni();
        CatchXErrors();
        // The command line over game.cfg, for this run only.
        if (options.mode >= 0)
            Game.settings.mode = options.mode;
        if (options.opponent >= 0)
            Game.settings.opponent = options.opponent;
        Game.settings.menu = options.menu;
        Game.settings.hostPort = options.host;
        Game.settings.join = options.join;
        Game.Create();
        CatchXDisconnect();
        Game.LoadData();
        Game.LoadLevel();
        Game.ApplyGamma();

        // Off unless [Display] MaxFps caps the frame rate.
        CFramePacer pacer(Game.maxFps, PacerClock, PacerSleep);
        Uint32 previous = SDL_GetTicks();
        while (Game.running) {
            // Before the events, so the frame starts from the freshest input.
            pacer.WaitForFrame();
            SDL_Event event;
            while (SDL_PollEvent(&event))
                Game.HandleEvent(event);
            // Wait until the millisecond tick moves, so dt is never below 1 ms.
            Uint32 now;
            while ((now = SDL_GetTicks()) == previous) {
                if (!Game.SpinsForTick())
                    SDL_Delay(1);
            }
            const float dt = static_cast<float>(static_cast<Sint32>(now - previous)) / 1000.0f;
            previous = now;
            Game.Move(dt);
            Game.Draw();
            Game.FlipScreen();
            counter.Presented();
            if (clock.On() && !clock.Presented(MonotonicSeconds(), WallSeconds()))
                Game.running = false;
            if (XDisplayLost())
                Game.running = false;
        }
        if (clock.On())
            clock.Report(stderr);
        Game.Close();
        return XDisplayLost() ? 1 : 0;
    } catch (const std::exception& e) {
        // Close the window first, full screen included: SDL 1.2 keeps pointer
        // and keyboard grabbed in full screen even after SDL_GRAB_OFF, and the
        // box could then be neither clicked nor dismissed. Close gives the
        // gamma ramp back too; a second Close (the destructor's) does nothing.
        Game.Close();
        ShowErrorBox("Error", e.what());
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
