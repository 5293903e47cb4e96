// CommandLine: the game's options (--menu, --mode, --opponent, --help) and the usage line.
#pragma once

#include <string>

struct CommandLine {
    bool menu = false; // --menu: start at the menu
    int mode = -1;     // --mode N: 0 to 3, or −1 for game.cfg's
    int opponent = -1; // --opponent N: 0 to 3, or −1 for game.cfg's
    bool help = false; // --help or -h
};

// The one-line usage, without a newline.
extern const char* const GameUsage;

// Reads argv[1..argc−1] into `out`. False, with `error` saying what is wrong
// (an unknown option, a missing or bad value), on anything else.
bool ParseCommandLine(int argc, char** argv, CommandLine& out, std::string& error);
