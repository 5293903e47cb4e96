// CGame::ReadIni: game.cfg into the display settings and the tuning globals.
#include "app/Game.h"

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
    debug = ini.ReadBool("Misc", "Debug", false);
}
