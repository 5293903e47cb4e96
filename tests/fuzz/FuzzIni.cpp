// Fuzz target: arbitrary bytes as game.cfg, then every typed read the game makes and more.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "config/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CIniFile ini;
    ini.opened = true;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ini.Parse(in);

    // The application's own look-ups, then names taken from the input itself.
    ini.ReadBool("Display", "FullScreen", false);
    ini.ReadInteger("Display", "Width", 800);
    ini.ReadFloat("Physics", "Gravity", 9.81);
    ini.ReadString("Misc", "Debug", "");
    for (CIniSection* section : ini.sections)
        for (CIniKey* key : section->keys) {
            ini.ReadInteger(section->name, key->name, 0);
            ini.ReadBool(section->name, key->name, true);
            ini.ReadString(section->name, key->name, "x");
        }
    ini.Clean();
    return 0;
}
