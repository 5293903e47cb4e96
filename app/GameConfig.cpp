// CGame::ReadIni: game.cfg into the display settings, the camera and the tuning globals.
#include "app/Game.h"

#include <cmath>
#include <cstdio>

#include "config/SettingReader.h"
#include "physics/World.h"
#include "play/AimGuide.h"
#include "scene/Ball.h"

void CGame::ReadIni()
{
    // A missing game.cfg is fine: every key then takes its default. One that
    // is there but gives nothing (a folder, unreadable) is said.
    ini.Open("game.cfg");
    if (!ini.problem.empty())
        fprintf(stderr, "game.cfg %s; playing with the default settings\n", ini.problem.c_str());
    ReadSettings();
}

void CGame::ReadSettings()
{
    CSettingReader read(ini, stderr);
    fullScreen = read.Flag("Display", "FullScreen", false);
    width = read.Integer("Display", "Width", 800);
    height = read.Integer("Display", "Height", 600);
    bpp = read.Integer("Display", "Bpp", 16);
    gamma = read.Float("Display", "Gamma", 0.0, 0.0, 10.0, "is not within 0 to 10");
    weariness = read.Float("Display", "Weariness", 0.0, 0.0, std::nextafter(1.0, 0.0),
                           "is not within 0 up to, not including, 1");
    maxFps = read.Float("Display", "MaxFps", 0.0, 0.0, 10000.0,
                        "is not within 0 (uncapped) to 10000 frames per second");
    vsync = read.Flag("Display", "VSync", false);
    BallQuality = read.Float("Rendering", "BallQuality", 256.0);
    Gravity = read.Float("Physics", "Gravity", DefaultGravity);
    Viscosity = read.Float("Physics", "Viscosity", DefaultViscosity);
    debug = read.Flag("Misc", "Debug", false);
    settings.mode = read.Integer("Game", "Mode", ModeFreeTable, ModeFreeTable, ModeCount - 1,
                                 "is not a mode (0 free table, 1 practice, 2 8-ball, 3 9-ball)",
                                 ModeFreeTable, "playing the free table");
    settings.aimGuide =
        read.Integer("Game", "AimGuide", -1, AimGuideOff, AimGuidePaths,
                     "is not 0 (off), 1 (first contacts) or 2 (and paths)", -1,
                     "using the mode's default (1, or 0 against the hard computer)");
    settings.opponent =
        read.Integer("Game", "Opponent", OpponentPerson, OpponentPerson, OpponentHard,
                     "is not 0 (a second player) or 1 to 3 (the computer, easy to hard)",
                     OpponentPerson, "playing against a second player");
    settings.invertAim = read.Flag("Controls", "InvertAim", false);
    camera.mode = read.Integer("Misc", "CameraMode", 0);
    // The volume is read again at each mode change (SoundVolume, which clamps
    // it to 0..1): said here, once.
    if (const CIniKey* volume = ini.GetIniKey("Sound", "Volume")) {
        if (volume->kind != 1)
            read.Refuse("Sound", "Volume", *volume, "is not a number",
                        "using 0.7 in the play modes");
        else if (!(volume->number >= 0.0 && volume->number <= 1.0))
            read.Refuse("Sound", "Volume", *volume, "is not within 0 (silent) to 1",
                        volume->number < 0.0 ? "using 0" : "using 1");
    }
    // The orbit camera starts looking down on the table a little; the free one level.
    camera.pitchAngle = camera.mode == CCamera::ModeOrbit ? -0.2f : 0.0f;
}
