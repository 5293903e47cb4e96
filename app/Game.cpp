// CGame: construction, the window and its GL state, buffer swap and shut-down.
#include "app/Game.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "app/FreeTableScreen.h"
#include "app/Gamma.h"
#include "app/MenuScreen.h"
#include "app/TableScreen.h"

const char* const GameCaption = "Baizeline is a work name of cool game :)";

// The one application object, built before the entry runs.
CGame Game;

CGame::CGame()
    : running(true), lighting(false), showCredits(true), debug(false), frameTime(0.0f),
      keys(nullptr), cueBall(nullptr), cue(nullptr), table(nullptr), fps(30), width(0), height(0),
      bpp(0), fullScreen(false), gamma(0.0f), weariness(0.0f), gammaSaved(false),
      mode(ModeFreeTable)
{
}

CGame::~CGame()
{
    Close();
}

void CGame::Create()
{
    Create(GameCaption, width, height, bpp, fullScreen);
}

// SDL 1.2 falls back to text-terminal drivers when there is no window system;
// they cannot give an OpenGL context and they take over the terminal first.
// Unless the player chose a driver, say plainly that there is no display.
static const char* MissingDisplay()
{
    if (getenv("SDL_VIDEODRIVER") || getenv("DISPLAY") || getenv("WAYLAND_DISPLAY"))
        return nullptr;
    return "no display to open a window on (DISPLAY is not set)";
}

void CGame::Create(const char* title, int w, int h, int depth, bool full)
{
    const char* noDisplay = MissingDisplay();
    if (noDisplay || SDL_Init(SDL_INIT_VIDEO) < 0) {
        char message[512];
        snprintf(message, sizeof message, "Unable to init SDL: %s",
                 noDisplay ? noDisplay : SDL_GetError());
        throw std::runtime_error(message);
    }
    SDL_WM_SetCaption(title, title);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 1);
    // Asked only when wanted: without the key the driver's own choice stands,
    // as it always has. A driver that cannot sync ignores the request.
    if (vsync && SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1) != 0)
        fprintf(stderr, "game.cfg: [Display] VSync: %s; swapping unsynced\n", SDL_GetError());
    const Uint32 flags = SDL_OPENGL | (full ? SDL_FULLSCREEN : 0);
    if (!SDL_SetVideoMode(w, h, depth, flags))
        throw std::runtime_error("Unable to set video mode");

    Resize(w, h);
    Setup();
    mouse.grabbed = true;
    SDL_WM_GrabInput(SDL_GRAB_ON);
    SDL_ShowCursor(SDL_DISABLE);
    font.Load("data/debug_font.ttf", 10);
    hudScale = HudScale(h);
    if (HudFontSize(hudScale) != 10)
        hudFont.Load("data/debug_font.ttf", HudFontSize(hudScale));
}

void CGame::Resize(int w, int h)
{
    glViewport(0, 0, w, h);
    // A placeholder view until the camera loads its own every frame.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, ViewAspect, 1.0, 1000.0);
    gluLookAt(0.0, 0.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
}

void CGame::Setup()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    lighting = true;
}

void CGame::FlipScreen()
{
    SDL_GL_SwapBuffers();
}

bool CGame::Close()
{
    // SDL_Quit on an SDL that is not running does nothing, so the destructor's
    // second call after the entry's is harmless. The font and the ramp need the
    // window still open. The table game goes first: a computer still thinking
    // is stopped with it, and its worker must not outlive the game it was
    // started from.
    if (tableScreen) {
        tableScreen->Stop();
        if (getenv("BAIZELINE_FRAMES"))
            tableScreen->ReportGuideTiming();
    }
    font.Clean();
    hudFont.Clean();
    sound.Close();
    if (gammaSaved) {
        RestoreGammaTable();
        gammaSaved = false;
    }
    SDL_Quit();
    return true;
}
