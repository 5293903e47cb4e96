// SoundVolume: the master volume a mode plays at, from [Sound] Volume in game.cfg.
#pragma once

class CIniFile;

// Without the key: the free table (Mode 0) is silent, the play modes are not.
constexpr float FreeTableVolume = 0.0f;
constexpr float PlayModeVolume = 0.7f;

// [Sound] Volume clamped to 0..1. A missing key, a value that is not a number
// or not finite, or a reader that was never opened gives the mode's default:
// FreeTableVolume for mode 0 (and any mode below 1), PlayModeVolume for the
// play modes (1 and up).
float SoundVolume(int mode, CIniFile& ini);
