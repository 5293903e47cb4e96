// CGame: the shell: window, settings, shared resources (scene, camera, font, sound), screens.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/MenuScreen.h"
#include "app/Mouse.h"
#include "app/RunningAverage.h"
#include "audio/ContactSounds.h"
#include "audio/Sound.h"
#include "camera/Camera.h"
#include "config/IniFile.h"
#include "game/GameMode.h"
#include "scene/DrawContext.h"
#include "scene/ObjectList.h"
#include "scene/TextureList.h"
#include "text/FreeFont.h"

class CBall;
class CCue;
class CTable;
class CScreen;
class CFreeTableScreen;
class CTableScreen;
enum class Action;

extern const char* const GameCaption;
// The credits' lines, '\n' between them.
extern const char CreditsText[];

// How the game starts: game.cfg's [Game] keys, then the command line's options over them.
struct GameSettings {
    int mode = ModeFreeTable; // [Game] Mode, --mode
    int opponent = 0;         // [Game] Opponent, --opponent: 0 a second person, 1 to 3 the computer
    int aimGuide = -1;        // [Game] AimGuide, −1 when absent
    bool menu = false;        // --menu: start at the menu
    bool invertAim = false;   // [Controls] InvertAim: the play modes' aim turns against the mouse
    std::uint16_t hostPort = 0; // --host: host a network game on this port (0: not)
    std::string join;           // --join: join the network game there ("HOST[:PORT]")
};

class CGame {
public:
    CGame();
    ~CGame();
    CGame(const CGame&) = delete;
    CGame& operator=(const CGame&) = delete;

    // Start-up, in the order the entry calls them.
    void ReadIni(); // opens game.cfg into `ini`, then ReadSettings
    // Every setting from `ini` as it stands; a number beyond what the setting's
    // type holds takes the default, as a value that is no number does.
    void ReadSettings();
    void Create();
    void Create(const char* title, int width, int height, int bpp, bool fullScreen);
    void LoadData();
    // The level (the free table's rack), then the screens, and the first one on show.
    void LoadLevel();
    void ApplyGamma();

    // One frame.
    bool HandleEvent(SDL_Event& event);
    void Move(float dt); // the frame rate, then the screen on show
    void Draw();         // the screen on show
    void FlipScreen();

    // The frame without the overlays: ClearFrame, the scene light, the objects, the room.
    void DrawScene();
    // What the objects are drawn with: the camera's position and the debug switch.
    DrawContext SceneContext() const;
    // Clears the buffers a frame starts from: colour, depth and stencil.
    static void ClearFrame();

    // Overlays every screen shares: the frame rate, the credits, the debug
    // panels. ShowGLInfo prints the driver's strings on standard output (the game never calls it).
    void ShowStatus(bool credits = true); // the play modes draw the credits in their own panel
    void ShowDebug();
    void ShowGLInfo();

    // GL state and projection as Create leaves them (Create calls both).
    void Setup();
    void Resize(int width, int height);

    // Releases the font, puts back a gamma ramp ApplyGamma changed and shuts SDL
    // down; safe to call more than once.
    bool Close();

    // The screens' doors: a game of `mode` from its start (F2 to F5, the menu),
    // the menu over the screen on show, another screen on show.
    void StartMode(int mode);
    void OpenMenu();
    void ShowScreen(CScreen* screen);
    // The menu's choices (opponent, guide, volume) put to work.
    void ApplyChoices();
    // Network play: host choices.netMode on choices.netPort, join `address`
    // ("HOST" or "HOST:PORT"), or leave the game on (the other side is told).
    // A failure is logged and said on the menu.
    void HostGame();
    void JoinGame(const std::string& address);
    void LeaveGame();
    // The pointer held by the window and hidden (play), or free and shown (the menu).
    void GrabPointer(bool grab);
    // The pointer held as GrabPointer(true) does, if X lets this window have it
    // now; false, nothing changed, while another window holds it (SDL itself
    // would wait for it, frame and all). A network game's turn takes it so.
    bool TryGrabPointer();
    // The sound for the current mode: opened, re-levelled or closed.
    void ApplySoundMode();
    CTableScreen& TableScreen() { return *tableScreen; }
    CMenuScreen& Menu() { return *menu; }
    bool MenuShown() const;
    // The free table waits for the millisecond tick by spinning: its frames
    // step the physics by whole milliseconds from the tick, and a sleep could
    // overshoot into a 2 ms step its frames never took. Elsewhere the wait sleeps.
    bool SpinsForTick() const { return mode == ModeFreeTable && !MenuShown(); }

    bool running;
    bool lighting;
    bool showCredits;
    bool debug;
    float frameTime;   // seconds, duration of the last frame
    Uint8* keys;       // SDL's keyboard state array, refreshed on every event
    CTextureList textures;
    CObjectList scenery; // the room
    CObjectList objects; // cue, table, pockets, balls; the physics walks its first 16 entries
    CBall* cueBall;      // not owned: entries of `objects`
    CCue* cue;
    CTable* table;
    CIniFile ini;
    CRunningAverage fps;
    CCamera camera;
    CMouse mouse;
    CFreeFont font;    // overlay and debug text
    // The play modes' and the menu's text in a window taller than 600 pixels
    // (the overlay font grown by hudScale); `font` otherwise.
    CFreeFont hudFont;
    float hudScale = 1.0f; // window pixels per HUD unit (HudScale)
    CFreeFont& HudFont() { return hudFont.listBase ? hudFont : font; }
    // The window in HUD units: what the HUD and the menu lay out in.
    int HudWidth() const { return HudUnits(width, hudScale); }
    int HudHeight() const { return HudUnits(height, hudScale); }
    // The overlay `o`, laid out in HUD units, in the HUD's font.
    void DrawHud(const Overlay& o) { DrawOverlay(o, HudFont(), width, height, hudScale); }
    int width;
    int height;
    int bpp;
    bool fullScreen;
    float gamma;
    float weariness;
    float maxFps = 0.0f; // [Display] MaxFps: frames per second at most; 0 uncapped
    bool vsync = false;  // [Display] VSync: swaps wait for the display's refresh
    bool gammaSaved;   // ApplyGamma changed the ramp; Close puts the saved one back

    GameSettings settings;
    MenuChoices choices; // the session's opponent, guide and volume: from settings, changed by the
                         // menu and O
    int mode;            // the game on the table now
    bool showHelp = false; // F1, in every mode
    CSound sound;          // open in the play modes unless the volume is 0 or there is no device
    CContactSounds contactSounds{&sound}; // the live passes' sink while the sound is open
    bool soundRefused = false; // no device: not asked again (nor said again) until a restart

private:
    // The screens made afresh for the level just loaded, and the first on show:
    // the menu, the configured game, or the free table.
    void OpenScreens();
    // An action the shell takes itself (quitting, the toggles, the modes, the
    // menu) or hands to the screen on show.
    void Act(Action action);
    // GL_LIGHT0 to GL_LIGHT6 enabled now.
    int EnabledLights() const;

    std::unique_ptr<CFreeTableScreen> freeTable;
    std::unique_ptr<CTableScreen> tableScreen;
    std::unique_ptr<CMenuScreen> menu;
    CScreen* screen = nullptr; // on show; null until LoadLevel
};

extern CGame Game;
