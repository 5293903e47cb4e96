// CGame::HandleEvent: SDL events into the run flag, the mouse record and actions.
#include "app/Game.h"

#include <GL/gl.h>

#include "app/Controls.h"
#include "app/MenuScreen.h"
#include "app/MouseInput.h"
#include "app/Screen.h"
#include "app/TableScreen.h"
#include "game/EventLog.h"

static bool IsWheel(Uint8 button)
{
    return button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN;
}

void CGame::Act(Action action)
{
    switch (action) {
    case Action::Quit:
        running = false;
        break;
    case Action::Credits:
        showCredits = !showCredits;
        break;
    case Action::Lighting:
        lighting = !lighting;
        if (lighting)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        break;
    case Action::Help:
        showHelp = !showHelp;
        LogEvent(showHelp ? "help shown" : "help hidden");
        break;
    case Action::Menu:
        OpenMenu();
        break;
    case Action::FreeTable:
    case Action::Practice:
    case Action::EightBall:
    case Action::NineBall:
        // A rack under way is left only on a Y.
        if (mode != ModeFreeTable && screen == tableScreen.get() && tableScreen->AskFirst(action))
            break;
        StartMode(ModeFreeTable + (static_cast<int>(action) - static_cast<int>(Action::FreeTable)));
        break;
    default:
        if (screen)
            screen->Act(action);
        break;
    }
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
    case SDL_KEYDOWN: {
        // The event's own key, not the state array: SDL updates the array when
        // it queues an event, so a tap whose release came in the same batch
        // already reads as up here. Held keys (the free camera's) read the array.
        const SDLKey key = event.key.keysym.sym;
        if (MenuShown()) {
            menu->Key(key, (event.key.keysym.mod & KMOD_SHIFT) != 0);
            return true;
        }
        bool arrow = false;
        const Action action =
            KeyAction(key, (event.key.keysym.mod & KMOD_SHIFT) != 0, mode, &arrow);
        // The free camera steers with the arrows: there only the keypad sets spin.
        if (!(arrow && camera.mode == CCamera::ModeFree))
            Act(action);
        return true;
    }
    case SDL_MOUSEMOTION:
        OnMouseMotion(mouse, event.motion.x, event.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
        // SDL 1.2 reports each wheel notch as a press and release of buttons 4
        // and 5. They hold nothing: taken as buttons, a notch while aiming let
        // go of the left button and fired the shot.
        if (IsWheel(event.button.button))
            return true;
        // A click on the menu is the menu's alone: the game it starts does not see it held.
        if (MenuShown()) {
            menu->Button(event.button.button, true);
            return true;
        }
        if (screen)
            screen->Button(event.button.button, true);
        // In the play modes the middle button cancels an aim and is no button
        // of the shot's; the free table keeps its buttons as they were.
        if (mode != ModeFreeTable && event.button.button == SDL_BUTTON_MIDDLE)
            return true;
        mouse.button = event.button.button;
        return true;
    case SDL_MOUSEBUTTONUP:
        if (IsWheel(event.button.button))
            return true;
        if (screen)
            screen->Button(event.button.button, false);
        mouse.button = 0;
        return true;
    default:
        return false;
    }
}
