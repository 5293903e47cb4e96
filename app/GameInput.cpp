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
        // The state array, not the event's key, is tested: holding A and then
        // pressing L toggles both.
        if (keys[SDLK_ESCAPE])
            running = false;
        if (keys[SDLK_a])
            showCredits = !showCredits;
        if (keys[SDLK_l]) {
            lighting = !lighting;
            if (lighting)
                glEnable(GL_LIGHTING);
            else
                glDisable(GL_LIGHTING);
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
