// HelpLines: the free table's controls, and the keys the play modes add to them.
#include "app/HelpText.h"

#include <algorithm>
#include <cstring>

namespace {

// The free table's controls, as the README gives them. Plain ASCII: the
// overlay font has character codes 0 to 127 only (the README's minus sign is
// a hyphen here).
const HelpLine FreeTableShot[] = {
    {"Mouse, no button", "turn the camera around the cue ball's starting place (orbit mode)"},
    {"Right button held, mouse up/down", "zoom in and out"},
    {"Left button held", "aim: the camera freezes and the cue comes up behind the cue ball"},
    {"Left button held, mouse down/up", "draw the cue back (more power) or forward (less); power 2 to 15"},
    {"Left button released", "strike: the cue ball leaves in the camera's heading at ten times the power"},
};
const HelpLine FreeTableKeys[] = {
    {"A", "show or hide the credits text"},
    {"L", "lighting on or off"},
    {"Arrow keys, keypad + and -", "free camera only (CameraMode=1): move, turn, climb and sink"},
};

// The play modes' shot: the camera orbits the cue ball, aims can be called
// off, and the strike point carries spin.
const HelpLine PlayShot[] = {
    {"Mouse, no button", "turn the camera around the cue ball"},
    {"Right button held, mouse up/down", "zoom in and out"},
    {"Left button held", "aim: the camera freezes and the cue comes up behind the cue ball"},
    {"Left button held, mouse down/up", "draw the cue back (more power) or forward (less)"},
    {"Left button released", "strike, once every ball rests"},
    {"C, or the middle button", "call off the aim without striking"},
    {"Up / Down arrow, keypad 8 / 2", "strike higher (follow) or lower (draw), a tenth of a radius a press"},
    {"Left / Right arrow, keypad 4 / 6", "strike left or right of centre (side spin)"},
    {"Home, or keypad 5", "strike the centre again"},
};
const HelpLine PracticeInHand[] = {
    {"Mouse, then left click", "cue ball in hand after a scratch: move it on the cloth, click to set it down"},
};
const HelpLine RulesInHand[] = {
    {"Mouse, then left click", "ball in hand after a foul: move the cue ball anywhere, click to set it down"},
    {"O", "opponent: a friend, then the computer easy, medium, hard; a new rack"},
};
const HelpLine PlayKeys[] = {
    {"T", "top view of the whole table, or back to the orbit"},
    {"P", "replay the last shot (Shift+P: slower)"},
    {"A", "show or hide the credits text"},
    {"L", "lighting on or off"},
};
// Every mode, the free table included.
const HelpLine ModeKeys[] = {
    {"R", "re-rack"},
    {"F1", "show or hide this help"},
    {"F2 / F3", "free table / practice"},
    {"F4 / F5", "8-ball / 9-ball"},
    {"Escape, or closing the window", "quit"},
};

template <size_t N>
void Append(std::vector<HelpLine>& lines, const HelpLine (&add)[N])
{
    lines.insert(lines.end(), add, add + N);
}

bool PlayMode(int mode)
{
    return mode >= 1 && mode <= 3;
}

} // namespace

std::vector<HelpLine> HelpLines(int mode)
{
    std::vector<HelpLine> lines;
    if (!PlayMode(mode)) {
        Append(lines, FreeTableShot);
        Append(lines, FreeTableKeys);
    } else {
        Append(lines, PlayShot);
        if (mode == 1)
            Append(lines, PracticeInHand);
        else
            Append(lines, RulesInHand);
        Append(lines, PlayKeys);
    }
    Append(lines, ModeKeys);
    return lines;
}

const char* HelpTitle(int mode)
{
    switch (mode) {
    case 1: return "Practice";
    case 2: return "8-ball";
    case 3: return "9-ball";
    default: return "Free table";
    }
}

std::vector<std::string> HelpText(int mode)
{
    const std::vector<HelpLine> lines = HelpLines(mode);
    size_t column = 0;
    for (const HelpLine& l : lines)
        column = std::max(column, std::strlen(l.keys));
    std::vector<std::string> text;
    text.push_back(std::string(HelpTitle(mode)) + ": controls (F1 hides this)");
    for (const HelpLine& l : lines) {
        std::string line = l.keys;
        line.append(column + 2 - std::strlen(l.keys), ' ');
        line += l.effect;
        text.push_back(line);
    }
    return text;
}
