// SoundVolume: [Sound] Volume through the INI reader, with a default per mode.
#include "audio/SoundConfig.h"

#include <algorithm>
#include <cmath>

#include "config/IniFile.h"

float SoundVolume(int mode, CIniFile& ini)
{
    const float fallback = mode >= 1 ? PlayModeVolume : FreeTableVolume;
    if (!ini.opened)
        return fallback;
    const double v = ini.ReadFloat("Sound", "Volume", fallback);
    if (!std::isfinite(v))
        return fallback;
    return static_cast<float>(std::clamp(v, 0.0, 1.0));
}
