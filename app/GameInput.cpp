// CGame::HandleEvent: SDL events into the run flag, display toggles and the mouse record.
#include "app/Game.h"

#include <GL/gl.h>


#include "app/MouseInput.h"

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
        return true;
    case SDL_MOUSEMOTION:
        OnMouseMotion(mouse, event.motion.x, event.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
        mouse.button = event.button.button;
        return true;
    case SDL_MOUSEBUTTONUP:
        mouse.button = 0;
        return true;
    default:
        return false;
    }
}
