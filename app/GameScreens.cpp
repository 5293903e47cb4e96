// CGame's screens: the first one, the switch between games, the menu, pointer and sound.
#include "app/Game.h"

#include <SDL.h>

#include <ctime>

#include "app/FreeTableScreen.h"
#include "app/MenuScreen.h"
#include "app/SceneSync.h"
#include "app/TableScreen.h"
#include "audio/SoundConfig.h"
#include "game/EventLog.h"
#include "scene/Table.h"

void CGame::OpenScreens()
{
    // The computer's hand and the racks differ from one start to the next;
    // within a game the table game's own generator decides them.
    const unsigned seed =
        static_cast<unsigned>(std::time(nullptr)) ^ (SDL_GetTicks() * 2654435761u);
    freeTable = std::make_unique<CFreeTableScreen>(*this);
    tableScreen = std::make_unique<CTableScreen>(*this, seed);
    menu = std::make_unique<CMenuScreen>(*this);
    choices.opponent = settings.opponent;
    choices.aimGuide = settings.aimGuide;
    choices.volume = SoundVolume(ModePractice, ini);
    screen = freeTable.get();
    mode = ModeFreeTable;
    if (settings.mode != ModeFreeTable)
        StartMode(settings.mode);
    if (settings.menu)
        OpenMenu();
}

void CGame::StartMode(int newMode)
{
    if (!ValidMode(newMode) || !freeTable)
        return;
    if (table)
        table->UsePlayModel(newMode != ModeFreeTable);
    // The play modes draw through mipmaps: cheaper far off, no shimmer. The
    // free table draws level 0 alone, as it always has.
    textures.UseMipmaps(newMode != ModeFreeTable);
    mode = newMode;
    // The free table keeps its 4:3 view in any window; the play modes take the window's shape.
    camera.aspect = newMode == ModeFreeTable ? ViewAspect : WindowAspect(width, height);
    LogEvent("mode %s", ModeName(newMode));
    if (newMode == ModeFreeTable) {
        SetBallsShown(&objects, nullptr);
        freeTable->Rerack();
        screen = freeTable.get();
    } else {
        tableScreen->Start(newMode);
        screen = tableScreen.get();
    }
    ApplySoundMode();
}

bool CGame::MenuShown() const
{
    return menu && screen == menu.get();
}

void CGame::OpenMenu()
{
    if (!menu || MenuShown())
        return;
    CScreen* under = screen;
    screen = menu.get();
    menu->Open(under);
}

void CGame::ShowScreen(CScreen* next)
{
    if (next)
        screen = next;
}

void CGame::ApplyChoices()
{
    // The opponent is for the next game started; the guide and the volume change now.
    tableScreen->GuideChanged();
    ApplySoundMode();
}

void CGame::GrabPointer(bool grab)
{
    mouse.grabbed = grab;
    SDL_WM_GrabInput(grab ? SDL_GRAB_ON : SDL_GRAB_OFF);
    SDL_ShowCursor(grab ? SDL_DISABLE : SDL_ENABLE);
    // Motion made while the pointer was free is not the camera's to turn by.
    int dx = 0, dy = 0;
    SDL_GetRelativeMouseState(&dx, &dy);
    mouse.dx = 0;
    mouse.dy = 0;
}

void CGame::ApplySoundMode()
{
    // The free table makes no sound, whatever the file says: its passes
    // report nothing, so an open device would only cost a thread.
    const float volume = mode == ModeFreeTable ? 0.0f : choices.volume;
    if (!(volume > 0.0f)) {
        sound.Close();
        return;
    }
    if (sound.IsOpen()) {
        sound.SetVolume(volume);
        return;
    }
    if (soundRefused)
        return;
    if (sound.Open(volume))
        LogEvent("sound on, volume %.2f", volume);
    else
        soundRefused = true; // CSound said why, once
}
