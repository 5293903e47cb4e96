// Fuzz target: arbitrary bytes as game.cfg through the game's own settings reading, then every typed read.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/Game.h"
#include "config/IniFile.h"
#include "physics/World.h"
#include "scene/Ball.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The global game's reader, as ReadIni leaves it after opening game.cfg.
    CIniFile& ini = Game.ini;
    ini.Clean();
    ini.opened = true;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ini.Parse(in);

    // The game's own reading, then names taken from the input itself.
    Game.ReadSettings();
    // Narrowing a double past float's range gives an infinity that neither
    // compiler's float-cast-overflow reports (it watches float to integer), so
    // the outcome is checked here: no setting reaches the game infinite or NaN.
    const float kept[] = {Game.gamma, Game.weariness, BallQuality, Gravity, Viscosity};
    for (float value : kept)
        if (!std::isfinite(value))
            __builtin_trap();
    ini.ReadString("Misc", "Debug", "");
    for (CIniSection* section : ini.sections)
        for (const CIniKey& key : section->keys) {
            ini.ReadInteger(section->name, key.name, 0);
            ini.ReadBool(section->name, key.name, true);
            ini.ReadString(section->name, key.name, "x");
        }
    ini.Clean();
    return 0;
}
