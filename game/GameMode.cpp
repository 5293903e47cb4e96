// GameMode: the modes' names as the log and the menu give them.
#include "game/GameMode.h"

const char* ModeName(int mode)
{
    static const char* const names[ModeCount] = {"free table", "practice", "8-ball", "9-ball"};
    return ValidMode(mode) ? names[mode] : names[ModeFreeTable];
}
