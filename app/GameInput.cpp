// CGame::HandleEvent: SDL events into the run flag, display toggles and the mouse record.
#include "app/Game.h"

#include <GL/gl.h>

#include "app/MouseInput.h"

static bool IsWheel(Uint8 button)
{
    return button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN;
}

// Keys the free table had no use for, acted on once per press (the
// event's own key, not the state array): F2 free table, F3 practice, F4 8-ball,
// F5 9-ball, R re-rack in every mode; in the play modes T top view and C
// cancel; in the rules modes O the opponent.
static void NewKeyDown(CGame& game, SDLKey key)
{
    switch (key) {
    case SDLK_F2:
        game.SetMode(CGame::ModeFreeTable);
        break;
    case SDLK_F3:
        game.SetMode(CGame::ModePractice);
        break;
    case SDLK_F4:
        game.SetMode(CGame::ModeEightBall);
        break;
    case SDLK_F5:
        game.SetMode(CGame::ModeNineBall);
        break;
    case SDLK_o:
        if (game.RulesMode())
            game.CycleOpponent();
        break;
    case SDLK_r:
        game.Rerack();
        break;
    case SDLK_t:
        if (game.mode != CGame::ModeFreeTable)
            game.ToggleTopView();
        break;
    case SDLK_c:
        if (game.mode != CGame::ModeFreeTable)
            game.CancelAim();
        break;
    default:
        break;
    }
    game.FeelKeyDown(key);
}

bool CGame::HandleEvent(SDL_Event& event)
{
    keys = SDL_GetKeyState(nullptr);
    switch (event.type) {
    case SDL_QUIT:
        running = false;
        return true;
    case SDL_ACTIVEEVENT:
        return true;
    case SDL_KEYDOWN:
        // The event's own key, not the state array: SDL updates the array when
        // it queues an event, so a tap whose release came in the same batch
        // already reads as up here. Held keys (the free camera's) read the array.
        switch (event.key.keysym.sym) {
        case SDLK_ESCAPE:
            running = false;
            break;
        case SDLK_a:
            showCredits = !showCredits;
            break;
        case SDLK_l:
            lighting = !lighting;
            if (lighting)
                glEnable(GL_LIGHTING);
            else
                glDisable(GL_LIGHTING);
            break;
        default:
            break;
        }
        NewKeyDown(*this, event.key.keysym.sym);
        return true;
    case SDL_MOUSEMOTION:
        OnMouseMotion(mouse, event.motion.x, event.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
        // SDL 1.2 reports each wheel notch as a press and release of buttons 4
        // and 5. They hold nothing: taken as buttons, a notch while aiming let
        // go of the left button and fired the shot.
        if (IsWheel(event.button.button))
            return true;
        // In the play modes the middle button cancels an aim and is no button
        // of the shot's; the free table keeps its buttons as they were.
        if (mode != ModeFreeTable && event.button.button == SDL_BUTTON_MIDDLE) {
            CancelAim();
            return true;
        }
        // A click may come and go between two frames: keep the press.
        if (mode != ModeFreeTable && event.button.button == SDL_BUTTON_LEFT)
            leftPressed = true;
        mouse.button = event.button.button;
        return true;
    case SDL_MOUSEBUTTONUP:
        if (IsWheel(event.button.button))
            return true;
        // A release ends a hold the play modes ignore, even if a new press
        // follows before the next frame.
        if (event.button.button == SDL_BUTTON_LEFT)
            leftHeld = false;
        mouse.button = 0;
        return true;
    default:
        return false;
    }
}
