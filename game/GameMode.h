// GameMode: the games the program offers, numbered as [Game] Mode numbers them, and their names.
#pragma once

enum GameMode {
    ModeFreeTable = 0, // the loose rack, no pockets, no rules: the app's own screen
    ModePractice = 1,
    ModeEightBall = 2,
    ModeNineBall = 3,
    ModeCount = 4
};

inline bool ValidMode(int mode)
{
    return mode >= ModeFreeTable && mode < ModeCount;
}
// The rules modes: two sides and a referee.
inline bool RulesMode(int mode)
{
    return mode == ModeEightBall || mode == ModeNineBall;
}
// "free table", "practice", "8-ball", "9-ball"; "free table" for anything else. A string literal.
const char* ModeName(int mode);
