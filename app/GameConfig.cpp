// CGame::ReadIni: game.cfg into the display settings, the camera and the tuning globals.
#include "app/Game.h"

#include <cstdio>

#include "physics/World.h"
#include "scene/Ball.h"

void CGame::ReadIni()
{
    // A missing game.cfg is fine: every key then takes its default.
    ini.Open("game.cfg");
    fullScreen = ini.ReadBool("Display", "FullScreen", false);
    width = ini.ReadInteger("Display", "Width", 800);
    height = ini.ReadInteger("Display", "Height", 600);
    bpp = ini.ReadInteger("Display", "Bpp", 16);
    gamma = static_cast<float>(ini.ReadFloat("Display", "Gamma", 0.0));
    weariness = static_cast<float>(ini.ReadFloat("Display", "Weariness", 0.0));
    BallQuality = static_cast<float>(ini.ReadFloat("Rendering", "BallQuality", 256.0));
    Gravity = static_cast<float>(ini.ReadFloat("Physics", "Gravity", DefaultGravity));
    Viscosity = static_cast<float>(ini.ReadFloat("Physics", "Viscosity", DefaultViscosity));
    debug = ini.ReadBool("Misc", "Debug", false);
    mode = ini.ReadInteger("Game", "Mode", ModeFreeTable);
    if (mode < ModeFreeTable || mode >= ModeCount) {
        fprintf(stderr, "game.cfg: [Game] Mode=%d is not a mode (0 free table, 1 practice); playing the free table\n",
                mode);
        mode = ModeFreeTable;
    }
    aimGuideSetting = ini.ReadInteger("Game", "AimGuide", -1);
    camera.mode = ini.ReadInteger("Misc", "CameraMode", 0);
    // The orbit camera starts looking down on the table a little; the free one level.
    camera.pitchAngle = camera.mode == CCamera::ModeOrbit ? -0.2f : 0.0f;
}
