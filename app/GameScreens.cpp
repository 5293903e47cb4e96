// CGame's screens: the first one, the switch between games, the menu, pointer and sound.
#include "app/Game.h"

#include <SDL.h>

#include <ctime>

#include "app/FreeTableScreen.h"
#include "app/MenuScreen.h"
#include "app/SceneSync.h"
#include "app/TableScreen.h"
#include "app/XErrors.h"
#include "audio/SoundConfig.h"
#include "game/EventLog.h"
#include "net/NetAddress.h"
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
    if (RulesMode(settings.mode))
        choices.netMode = settings.mode;
    if (settings.hostPort) {
        choices.netPort = settings.hostPort;
        HostGame();
    } else if (!settings.join.empty()) {
        JoinGame(settings.join);
    } else if (settings.mode != ModeFreeTable) {
        StartMode(settings.mode);
    }
    if (settings.menu)
        OpenMenu();
}

void CGame::HostGame()
{
    std::string error;
    if (table)
        table->UsePlayModel(true);
    if (!tableScreen->Host(choices.netPort, choices.netMode, error)) {
        LogEvent("net: %s", error.c_str());
        menu->message = error;
        if (!MenuShown())
            OpenMenu();
        return;
    }
    mode = choices.netMode;
    choices.network = true;
    screen = tableScreen.get();
    GrabPointer(false); // taken when the turn is ours (CTableScreen::Update)
    ApplySoundMode();
}

void CGame::JoinGame(const std::string& address)
{
    std::string host, error;
    std::uint16_t port = 0;
    if (!ParseHostPort(address, host, port, error) || !tableScreen->Join(host, port, error)) {
        LogEvent("net: %s", error.c_str());
        menu->message = error;
        if (!MenuShown())
            OpenMenu();
        return;
    }
    if (table)
        table->UsePlayModel(true);
    mode = ModeEightBall; // the host's hello may make it 9-ball
    choices.joinAddress = address;
    choices.network = true;
    screen = tableScreen.get();
    GrabPointer(false);
    ApplySoundMode();
}

void CGame::LeaveGame()
{
    tableScreen->LeaveNetwork();
    choices.network = false;
    menu->message = "You left the network game: pick a game";
    menu->selected = 0;
}

void CGame::StartMode(int newMode)
{
    if (!ValidMode(newMode) || !freeTable)
        return;
    // A network game is left from the menu (Leave), not by switching games.
    if (tableScreen && tableScreen->NetworkOn()) {
        LogEvent("mode %s refused: a network game is on (menu: Leave)", ModeName(newMode));
        return;
    }
    choices.network = false;
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
    choices.network = tableScreen && tableScreen->NetworkOn();
    choices.editing = -1;
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

bool CGame::TryGrabPointer()
{
    if (!GrabX11Pointer())
        return false;
    // Ours now: SDL's own grab (pointer, keyboard, hidden cursor) goes through at once.
    GrabPointer(true);
    return true;
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
