// PlayHud and HelpPane: the play modes' HUD and the help screen as overlay data.
#pragma once

#include <string>

#include "app/Overlay.h"
#include "physics/CueStrike.h"

class CTableGame;
class CNetSession;

// What the HUD shows besides the game's own state: the window and the cue as drawn.
struct HudView {
    int width = 800;
    int height = 600;
    bool cueAiming = false; // the cue is drawn back (the player's or the computer's)
    float cueSpeed = 0.0f;  // ... to strike at this speed, m/s
    StrikePoint strike;     // the player's strike point
    bool replaySlow = false;        // a replay runs at a quarter of the speed
    const char* question = nullptr; // waiting for Y or N, shown mid-window
    // A network game: the sides are "You" and "Opponent", R and O are off,
    // and the session's line (and its notice, when it has one) stand at the top.
    bool network = false;
    int localSide = 0;
    std::string netLine;
    std::string netNotice;
};

// The network game's line: hosting and where (`addresses`, the ones listened
// on), connecting, whose turn, waiting.
std::string NetHudLine(const CNetSession& net, const std::string& addresses);

// The key line, the game's lines (the sides, whose turn and what to do, the
// last foul), the power bar while the cue is drawn back, and the strike point
// diagram while every ball rests.
Overlay PlayHud(const CTableGame& game, const HudView& view);

// The credits, one line a row, in a panel at the bottom left (the play modes).
Overlay CreditsPane(const char* credits);

// F1's help for `mode` in a dark pane: the title, then each control with its
// effect wrapped to the pane.
Overlay HelpPane(int mode, int width, int height);
