// HelpLines and HelpText: the controls of a mode, as the help screen (F1) lists them.
#pragma once

#include <string>
#include <vector>

// One control: the input, and what it does. Static ASCII strings, never freed.
struct HelpLine {
    const char* keys;
    const char* effect;
};

// The controls of `mode`: 0 the free table, 1 practice, 2 8-ball, 3 9-ball;
// any other mode gets the free table's. Ordered as listed on screen: the
// shot, the camera and table keys, then the mode keys and quitting.
std::vector<HelpLine> HelpLines(int mode);

// The mode's name for the help screen's title ("Free table", "Practice", ...).
const char* HelpTitle(int mode);

// The title, then HelpLines with the inputs padded to one column, each line
// at most HelpTextWidth characters: about 660 pixels in the 10-pixel
// monospace overlay font, inside the smallest window (800×600).
constexpr int HelpTextWidth = 110;
std::vector<std::string> HelpText(int mode);
