// CGame::ReadIni: game.cfg into the display settings, the camera and the tuning globals.
#include "app/Game.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "physics/World.h"
#include "scene/Ball.h"

// A setting the game keeps as a float. A number beyond float's range would
// become an infinity (and narrowing it is undefined behaviour), so it counts as
// no number at all, like "abc" or "nan": the default applies.
static float ReadFloatSetting(CIniFile& ini, const char* section, const char* key, double def)
{
    const double value = ini.ReadFloat(section, key, def);
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        return static_cast<float>(def);
    return static_cast<float>(value);
}

void CGame::ReadIni()
{
    // A missing game.cfg is fine: every key then takes its default.
    ini.Open("game.cfg");
    ReadSettings();
}

void CGame::ReadSettings()
{
    fullScreen = ini.ReadBool("Display", "FullScreen", false);
    width = ini.ReadInteger("Display", "Width", 800);
    height = ini.ReadInteger("Display", "Height", 600);
    bpp = ini.ReadInteger("Display", "Bpp", 16);
    gamma = ReadFloatSetting(ini, "Display", "Gamma", 0.0);
    weariness = ReadFloatSetting(ini, "Display", "Weariness", 0.0);
    BallQuality = ReadFloatSetting(ini, "Rendering", "BallQuality", 256.0);
    Gravity = ReadFloatSetting(ini, "Physics", "Gravity", DefaultGravity);
    Viscosity = ReadFloatSetting(ini, "Physics", "Viscosity", DefaultViscosity);
    debug = ini.ReadBool("Misc", "Debug", false);
    settings.mode = ini.ReadInteger("Game", "Mode", ModeFreeTable);
    if (!ValidMode(settings.mode)) {
        fprintf(stderr,
                "game.cfg: [Game] Mode=%d is not a mode (0 free table, 1 practice, 2 8-ball, 3 "
                "9-ball); playing the "
                "free table\n",
                settings.mode);
        settings.mode = ModeFreeTable;
    }
    settings.aimGuide = ini.ReadInteger("Game", "AimGuide", -1);
    settings.opponent = ini.ReadInteger("Game", "Opponent", 0);
    if (settings.opponent < 0 || settings.opponent > 3) {
        fprintf(stderr,
                "game.cfg: [Game] Opponent=%d is not 0 (a second player) or 1 to 3 (the computer, "
                "easy to hard); "
                "playing against a second player\n",
                settings.opponent);
        settings.opponent = 0;
    }
    camera.mode = ini.ReadInteger("Misc", "CameraMode", 0);
    // The orbit camera starts looking down on the table a little; the free one level.
    camera.pitchAngle = camera.mode == CCamera::ModeOrbit ? -0.2f : 0.0f;
}
