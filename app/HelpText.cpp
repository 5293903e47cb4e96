// HelpLines: the controls table's lines of a mode, laid out for the help screen.
#include "app/HelpText.h"

#include "app/Controls.h"

#include <algorithm>
#include <cstring>

std::vector<HelpLine> HelpLines(int mode)
{
    // The controls table lists every key once with its line; the keys that
    // share a line with the one before it have no text of their own.
    std::vector<HelpLine> lines;
    const unsigned bit = ModeBit(mode);
    for (const Control& c : Controls())
        if ((c.modes & bit) && c.keys[0] != '\0')
            lines.push_back(HelpLine{c.keys, c.effect});
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
