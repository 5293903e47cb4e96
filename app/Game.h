// CGame: the application object; owns the window, configuration, scene and input state.
#pragma once

#include <SDL.h>

#include "app/Mouse.h"
#include "app/RunningAverage.h"
#include "audio/ContactSounds.h"
#include "audio/Sound.h"
#include "camera/Camera.h"
#include "config/IniFile.h"
#include "opponent/Opponent.h"
#include "physics/CueStrike.h"
#include "play/AimGuide.h"
#include "play/Match.h"
#include "play/PlaySession.h"
#include "play/ShotReplay.h"
#include "scene/DrawContext.h"
#include "scene/ObjectList.h"
#include "scene/TextureList.h"
#include "text/FreeFont.h"

class CBall;
class CCue;
class CTable;

extern const char* const GameCaption;

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
    void LoadLevel();
    void ApplyGamma();

    // One frame.
    bool HandleEvent(SDL_Event& event);
    void Move(float dt);
    void Draw(); // DrawScene, then ShowStatus
    void FlipScreen();

    // The frame without the overlays: ClearFrame, the scene light, the objects, the room.
    void DrawScene();
    // What the objects are drawn with: the camera's position and the debug switch.
    DrawContext SceneContext() const;
    // Clears the buffers a frame starts from: colour, depth and stencil.
    static void ClearFrame();

    // Overlays: ShowStatus is the text part of Draw; ShowDebug the debug panels;
    // ShowGLInfo prints the driver's strings on standard output (the game never calls it).
    void ShowStatus();
    void ShowDebug();
    void ShowGLInfo();

    // GL state and projection as Create leaves them (Create calls both).
    void Setup();
    void Resize(int width, int height);

    // Releases the font, puts back a gamma ramp ApplyGamma changed and shuts SDL
    // down; safe to call more than once.
    bool Close();

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
    int width;
    int height;
    int bpp;
    bool fullScreen;
    float gamma;
    float weariness;
    bool gammaSaved;   // ApplyGamma changed the ramp; Close puts the saved one back

    // Play modes. `mode` is [Game] Mode: ModeFreeTable (the default), ModePractice,
    // or the rules modes ModeEightBall and ModeNineBall.
    enum { ModeFreeTable = 0, ModePractice = 1, ModeEightBall = 2, ModeNineBall = 3, ModeCount = 4 };
    int mode;
    CPlaySession play;    // the play modes' shots, pots and hand; idle on the free table
    bool topView;         // play modes: T shows the whole table from above
    float aimAngle;       // play modes: the cue's heading, rad (the camera's, but for the top view)
    bool leftHeld;        // play modes: the left button is down since a cancel, a placement or a
                          // strike refused while balls moved: it aims only after a release
    bool leftPressed;     // play modes: a left button press arrived since the last frame
    Placement handVerdict; // play modes: may the cue ball in hand go down where it is

    // Rules modes: the referee and the two sides ([Game] Opponent is match.opponent),
    // the computer's worker, and its turn as the player sees it: thinking, then
    // the cue swinging to its aim and drawing back, then the strike.
    enum ComputerStage { ComputerIdle, ComputerThinking, ComputerAiming };
    CMatch match;
    COpponent opponent;
    ComputerStage computerStage;
    OpponentShot computerShot;
    float computerAge;    // seconds into the stage
    float computerAimFrom; // rad: the aim the swing starts from
    float computerAim;    // rad: the cue's heading now, while it aims
    int thinkFrames;      // frames drawn while it thought
    int nextBreaker;      // side to break the next rack: the racks alternate
    bool RulesMode() const { return mode == ModeEightBall || mode == ModeNineBall; }
    // O in the rules modes: a second person, then the computer easy to hard, then
    // a person again; a new rack starts, the player at the mouse to break.
    void CycleOpponent();

    // F2, F3: switch mode and re-rack (the play table's model is loaded on first use).
    void SetMode(int newMode);
    // R in every mode: the free table's level layout again, or a fresh practice rack.
    void Rerack();
    // Play modes: T, and C or the middle button.
    void ToggleTopView();
    void CancelAim();

    // Shot feel (GameFeel.cpp): spin, sound, the aiming guide, help and replay.
    // All of it acts in the play modes only, but F1's help, which every mode has.
    StrikePoint strike;          // where the tip meets the cue ball; the spin keys move it while aiming
    CSound sound;                // open in the play modes unless [Sound] Volume is 0 or there is no device
    CContactSounds contactSounds{&sound}; // the live passes' sink while the sound is open
    bool soundRefused = false;   // no device: not asked again (nor said again) until a restart
    int aimGuideSetting = -1;    // [Game] AimGuide, −1 when absent
    int aimGuide = AimGuideOff;  // the guide shown in the current mode
    CAimGuide guide;             // predictions on copies of `ball` and play.table
    float guideKey[4] = {};      // the aim the guide last began from (angle, power, side, top)
    double guideSeconds = 0.0;   // guide work in the last frame, s (measured in timing runs)
    double guideWorst = 0.0;     // ... the most in any one frame of the run
    double guideTotal = 0.0;     // ... summed over the frames that did guide work
    long guideFrames = 0;
    long guideSlowFrames = 0;    // ... of which over 1 ms (a busy machine preempting the game counts too)
    bool showHelp = false;       // F1
    CShotReplay replay;          // the last shot, recorded as it ran

    // A key press no other control takes: F1 in every mode; in the play
    // modes the spin keys and P.
    void FeelKeyDown(SDLKey key);
    // The sound for the current mode: opened, re-levelled or closed.
    void ApplySoundMode();
    // After a re-rack or a mode switch: no replay, no contacts, centre strike, sound for the mode.
    void FeelRerack();
    // Just after play.Strike: the spin from the strike point, the cue's knock, the replay's start.
    void OnStrike();
    // Play modes, first thing in a frame: runs a replay frame instead of the
    // game's (answers true), else hands the passes the sound's sink.
    bool MoveFeelBefore(float dt);
    // Play modes, last thing in a frame: the replay's record, the guide's prediction.
    void MoveFeelAfter(bool wasRolling, float dt);
    // Between the scene and the overlays: the guide's lines on the table.
    void DrawAimGuide();
    // Last overlay: the strike point diagram, the help screen.
    void ShowFeel();
    // From Close: the sound device shut; in a timing run, the guide's worst frame said.
    void CloseFeel();

private:
    // The play modes' frame: shot control, passes on `ball`, pots, camera and cue.
    void MovePlay(float dt);
    void ControlPlayShot();
    void MovePlayCamera(float dt);
    void ShowPlayHud();
    // Rules modes (app/GameRules.cpp).
    void NewRulesRack();
    void EndRulesShot();
    void ControlComputer();
    void ShowComputerAim();
    void ShowRulesHud(float y); // from line `y` down

    // Mouse button to camera and cue states; fires the shot on release.
    void ControlShot();
    // GL_LIGHT0 to GL_LIGHT6 enabled now.
    int EnabledLights() const;
};

extern CGame Game;

