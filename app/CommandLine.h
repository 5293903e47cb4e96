// CommandLine: the options (--menu, --mode, --opponent, --host, --join, --help), the usage line.
#pragma once

#include <cstdint>
#include <string>

struct CommandLine {
    bool menu = false; // --menu: start at the menu
    int mode = -1;     // --mode N: 0 to 3, or −1 for game.cfg's
    int opponent = -1; // --opponent N: 0 to 3, or −1 for game.cfg's
    bool help = false; // --help or -h
    // --host [PORT]: host a network game (8-ball, or --mode's 8-ball or 9-ball)
    // on PORT, DefaultNetPort when none is given; 0 when not hosting.
    std::uint16_t host = 0;
    // --join HOST[:PORT]: join a network game there, as typed; empty when not joining.
    std::string join;
};

// The one-line usage, without a newline.
extern const char* const GameUsage;

// Reads argv[1..argc−1] into `out`. False, with `error` saying what is wrong
// (an unknown option, a missing or bad value), on anything else.
bool ParseCommandLine(int argc, char** argv, CommandLine& out, std::string& error);
