// PlayHud and HelpPane: lines, colours and shapes of the play modes' HUD and of the help screen.
#include "app/PlayHud.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/HelpText.h"
#include "game/TableGame.h"
#include "net/NetSession.h"
#include "physics/ShotTuning.h"
#include "play/VerdictText.h"

namespace {

const OverlayColour White{1.0f, 1.0f, 1.0f};
const OverlayColour Cream{1.0f, 1.0f, 0.6f};
const OverlayColour TurnYellow{1.0f, 1.0f, 0.3f};
const OverlayColour Grey{0.75f, 0.75f, 0.75f};
const OverlayColour Winner{0.4f, 1.0f, 0.4f};
// Light on the dark panel: a foul reads at a glance without red on brown.
const OverlayColour FoulOrange{1.0f, 0.62f, 0.3f};
// The panel behind every text block: dark and translucent, the table shows through.
const OverlayColour Panel{0.0f, 0.0f, 0.0f, 0.6f};

// Line spacing of the 10-unit overlay font, HUD units.
constexpr float LinePixels = 14.0f;
// A panel's margin round its text, HUD units: the pen sits on the baseline,
// descenders reach about 3 below it and capitals about 10 above.
constexpr float PanelPad = 5.0f;
constexpr float PanelAbove = 12.0f;

// The strike point diagram: centre and radius, HUD units, left of the power bar's panel.
constexpr float DiagramRight = 130.0f, DiagramY = 80.0f, DiagramRadius = 32.0f;

// The power bar, HUD units from the right and bottom edges, and the speeds
// marked on it, m/s.
constexpr float BarRight = 40.0f, BarBottom = 40.0f, BarWidth = 16.0f, BarHeight = 200.0f;
constexpr float BarMarks[] = {0.5f, 1.0f, 2.0f, 4.0f, 7.0f};

// The help pane: left edge, line spacing and the overlay font's advance, HUD units.
constexpr float HelpLeft = 40.0f, HelpRowPixels = 14.0f, HelpCharWidth = 8.5f;
// The font's measured advance, HUD units a character (a little over 8.5): panels cover their text.
constexpr float PanelCharWidth = 9.0f;

// Width of `text` in the overlay font, HUD units.
float TextWidth(const std::string& text)
{
    return PanelCharWidth * static_cast<float>(text.size());
}

// A block of lines down from a top pen position, with a panel put under it
// once it is complete.
class CTextBlock {
public:
    // Lines wider than `room` HUD units go on under themselves, split between words.
    CTextBlock(Overlay& o_, float x_, float y_, float room_)
        : o(o_), x(x_), top(y_), y(y_), room(room_), first(o_.size())
    {}
    void Line(OverlayColour c, const std::string& text)
    {
        const size_t fit = static_cast<size_t>(std::max(20.0f, room / PanelCharWidth));
        std::string rest = text;
        while (!rest.empty()) {
            // A line that goes on is indented two characters.
            const bool going = rest.size() != text.size();
            const size_t limit = going ? fit - 2 : fit;
            size_t cut = rest.size();
            if (cut > limit) {
                cut = rest.rfind(' ', limit);
                if (cut == std::string::npos || cut == 0)
                    cut = limit;
            }
            const std::string line = (going ? "  " : "") + rest.substr(0, cut);
            AddText(o, x, y, c, "%s", line.c_str());
            width = std::max(width, TextWidth(line));
            y -= LinePixels;
            rest.erase(0, cut);
            while (!rest.empty() && rest[0] == ' ')
                rest.erase(0, 1);
        }
    }
    // The panel under the lines added; the lowest edge it reaches.
    float Close()
    {
        if (o.size() == first)
            return top;
        const float bottom = y + LinePixels - PanelPad;
        OverlayItem panel;
        panel.kind = OverlayItem::Rect;
        panel.x = x - PanelPad;
        panel.y = bottom;
        panel.w = width + 2.0f * PanelPad;
        panel.h = top + PanelAbove - bottom;
        panel.colour = Panel;
        o.insert(o.begin() + static_cast<long>(first), panel);
        return bottom;
    }

private:
    Overlay& o;
    float x, top, y, room;
    size_t first;
    float width = 0.0f;
};

std::string Printed(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printed(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string BallList(BallSet set)
{
    std::string s;
    for (int n = 1; n <= MaxBall; ++n)
        if (Has(set, n))
            s += (s.empty() ? "" : " ") + std::to_string(n);
    return s.empty() ? "-" : s;
}

std::string Potted(const CPlaySession& play)
{
    return PottedLine(play.tray.data(), static_cast<int>(play.tray.size()));
}

void PracticeLines(CTextBlock& b, const CTableGame& game)
{
    const CPlaySession& play = game.Session();
    b.Line(Cream, Printed("Practice   shots: %d   %s", play.shots, Potted(play).c_str()));
    const Placement verdict = game.HandVerdict();
    if (play.phase == CPlaySession::InHand)
        b.Line(Cream,
               Printed("Ball in hand: move the mouse, left click to place%s%s",
                       verdict == Placement::Allowed ? "" : "  -  ", PlacementText(verdict)));
    else if (play.tray.size() >= 15 && play.phase == CPlaySession::Aim)
        b.Line(Cream, "Table cleared: R re-racks");
}

// One line per side: the turn marked, the group and the balls it still needs.
void SideLines(CTextBlock& b, const CMatch& match)
{
    const CRules& rules = match.rules;
    const bool nine = rules.Game() == GameKind::NineBall;
    for (int side = 0; side < 2; ++side) {
        const bool turn = !rules.RackOver() && rules.Turn() == side;
        const OverlayColour c = turn ? TurnYellow : Grey;
        if (nine) {
            b.Line(c, Printed("%s %s   fouls in a row: %d", turn ? ">" : " ", match.SideName(side),
                              rules.FoulsInARow(side)));
        } else {
            // The group first, the 8 last: the order they must go down in.
            const BallSet own = BallSet(rules.BallsNeeded(side) & ~BallBit(8));
            b.Line(c, Printed("%s %s   %s   needs: %s%s", turn ? ">" : " ", match.SideName(side),
                              GroupName(rules.GroupOf(side)), own ? BallList(own).c_str() : "",
                              own ? ", then the 8" : "the 8"));
        }
    }
}

// What happens now: the winner, the computer's progress, or what the side to play does.
void NowLine(CTextBlock& b, const CTableGame& game, const HudView& v)
{
    const CMatch& match = game.Match();
    const CRules& rules = match.rules;
    const CPlaySession& play = game.Session();
    const int turn = rules.Turn();
    const char* who = match.SideName(turn);
    const char* act = rules.BreakPending() ? "break" : "play";
    if (rules.RackOver()) {
        b.Line(Winner,
               WinnerLine(match) + (v.network ? "  The next rack follows" : "  R: a new rack"));
    } else if (match.ComputerToPlay()) {
        b.Line(White, Printed("%s: %s", who,
                              play.phase == CPlaySession::Rolling             ? "shot played"
                              : game.ComputerStage() == CComputerTurn::Aiming ? "aiming"
                                                                              : "thinking..."));
    } else if (play.phase == CPlaySession::InHand) {
        const Placement verdict = game.HandVerdict();
        b.Line(White, Printed("%s to %s: ball in hand%s; move it, click to place", who, act,
                              play.Kitchen() ? " behind the head string" : ""));
        if (verdict != Placement::Allowed)
            b.Line(FoulOrange, Printed("Not there: %s", PlacementText(verdict)));
    } else if (play.phase != CPlaySession::Rolling) {
        b.Line(White, Printed("%s to %s", who, act));
    }
}

void RulesLines(CTextBlock& b, const CTableGame& game, const HudView& v)
{
    const CMatch& match = game.Match();
    const CRules& rules = match.rules;
    const bool nine = rules.Game() == GameKind::NineBall;
    if (v.network)
        b.Line(Cream, Printed("%s   %s   %s", nine ? "9-ball" : "8-ball", v.netLine.c_str(),
                              Potted(game.Session()).c_str()));
    else
        b.Line(Cream, Printed("%s   against %s (O changes it)   %s", nine ? "9-ball" : "8-ball",
                              OpponentName(match.opponent), Potted(game.Session()).c_str()));
    if (v.network && !v.netNotice.empty())
        b.Line(FoulOrange, v.netNotice);
    SideLines(b, match);
    if (nine)
        b.Line(Cream, Printed("Ball on: %d   on the table: %s", LowestBall(rules.BallsOnTable()),
                              BallList(rules.BallsOnTable()).c_str()));
    NowLine(b, game, v);
    // The last verdict worth a word: a foul naming the balls, an illegal break, a group decided.
    if (match.judged) {
        const ShotResult& r = match.last;
        b.Line(r.IsFoul() || r.reRack ? FoulOrange : Cream, VerdictLine(match, r));
    }
}

// The bar fills as the hand pulls (the curve's own measure), marked in m/s,
// the speed the release strikes at above it; all on one panel.
void PowerBar(Overlay& o, const HudView& v)
{
    const float fraction = PullOfSpeed(v.cueSpeed);
    const float x0 = v.width - BarRight, y0 = BarBottom, w = BarWidth, h = BarHeight;
    const float left = x0 - 48.0f;
    AddRect(o, left, y0 - 10.0f, v.width - 10.0f - left, h + 36.0f, Panel);
    AddRect(o, x0, y0, w, h, OverlayColour{0.2f, 0.2f, 0.2f});
    AddRect(o, x0 + 2.0f, y0 + 2.0f, w - 4.0f, (h - 4.0f) * fraction,
            OverlayColour{0.3f + 0.7f * fraction, 1.0f - 0.7f * fraction, 0.1f});
    for (float mark : BarMarks) {
        const float y = y0 + 2.0f + (h - 4.0f) * PullOfSpeed(mark);
        AddRect(o, x0 - 4.0f, y - 0.5f, w + 4.0f, 1.0f, White);
        AddText(o, x0 - 32.0f, y - 3.0f, Grey, "%g", static_cast<double>(mark));
    }
    AddText(o, left + 4.0f, y0 + h + 10.0f, White, "%.2f m/s", static_cast<double>(v.cueSpeed));
}

// The cue ball's face as the cue sees it: the limit ring, and the tip's point.
void StrikeDiagram(Overlay& o, const HudView& v)
{
    const float cx = v.width - DiagramRight, cy = DiagramY;
    AddDisc(o, cx, cy, DiagramRadius, OverlayColour{0.95f, 0.95f, 0.9f});
    AddRing(o, cx, cy, MaxStrikeOffset * DiagramRadius, OverlayColour{0.6f, 0.6f, 0.6f});
    AddDisc(o, cx + v.strike.side * DiagramRadius, cy + v.strike.top * DiagramRadius, 4.0f,
            OverlayColour{0.85f, 0.1f, 0.1f});
}

// A replay says so, centred under the HUD's block (whose lowest edge is
// `below`), with its speed.
void ReplayLabel(Overlay& o, const HudView& v, bool slow, float below)
{
    const std::string text = slow ? "REPLAY  (a quarter speed)" : "REPLAY";
    CTextBlock b(o, 0.5f * (v.width - TextWidth(text)), below - LinePixels - 2.0f * PanelPad,
                 TextWidth(text));
    b.Line(TurnYellow, text);
    b.Close();
}

// Characters of the longest input name of `mode`'s help.
size_t HelpKeyColumn(int mode)
{
    size_t column = 0;
    for (const HelpLine& l : HelpLines(mode))
        column = std::max(column, std::strlen(l.keys));
    return column;
}

// HelpLines(mode) as rows of the pane: an effect too long for the room
// right of the key column goes on under it, split between words.
void HelpRows(int mode, int width, std::vector<std::string>& keys,
              std::vector<std::string>& effects)
{
    const float room =
        static_cast<float>(width) - 2.0f * HelpLeft - HelpCharWidth * (HelpKeyColumn(mode) + 2);
    const size_t fit = static_cast<size_t>(std::max(20.0f, room / HelpCharWidth));
    for (const HelpLine& l : HelpLines(mode)) {
        std::string rest = l.effect;
        std::string key = l.keys;
        while (!rest.empty()) {
            size_t cut = rest.size();
            if (cut > fit) {
                cut = rest.rfind(' ', fit);
                if (cut == std::string::npos || cut == 0)
                    cut = fit;
            }
            keys.push_back(key);
            effects.push_back(rest.substr(0, cut));
            key.clear();
            rest.erase(0, cut);
            while (!rest.empty() && rest[0] == ' ')
                rest.erase(0, 1);
        }
    }
}

} // namespace

Overlay PlayHud(const CTableGame& game, const HudView& v)
{
    Overlay o;
    // Under the frame rate, above the table; the credits keep the bottom left.
    CTextBlock b(o, 10.0f, v.height - 28.0f, v.width - 2.0f * 10.0f);
    b.Line(White,
           v.network ? "F1 help  M menu (Leave ends the game)  T top view  P replay"
                     : "F1 help  M menu  F2-F5 games  O opponent  R re-rack  T top view  P replay");
    if (game.Rules())
        RulesLines(b, game, v);
    else
        PracticeLines(b, game);
    const float below = b.Close();
    if (game.ReplayPlaying())
        ReplayLabel(o, v, v.replaySlow, below);
    if (v.question) {
        const float wide = std::min(TextWidth(v.question), v.width - 40.0f);
        CTextBlock q(o, 0.5f * (v.width - wide), 0.5f * v.height, wide);
        q.Line(TurnYellow, v.question);
        q.Close();
    }
    if (v.cueAiming)
        PowerBar(o, v);
    if (game.Phase() == CPlaySession::Aim && !game.ReplayPlaying())
        StrikeDiagram(o, v);
    return o;
}

Overlay CreditsPane(const char* credits)
{
    Overlay o;
    std::vector<std::string> lines;
    std::string rest = credits;
    for (size_t cut; (cut = rest.find('\n')) != std::string::npos; rest.erase(0, cut + 1))
        lines.push_back(rest.substr(0, cut));
    lines.push_back(rest);
    // Bottom left, clear of the power bar and the strike diagram on the right.
    const float top = PanelPad + LinePixels * static_cast<float>(lines.size()) + 2.0f;
    CTextBlock b(o, 10.0f, top, 1e6f);
    for (const std::string& l : lines)
        b.Line(Grey, l.empty() ? " " : l);
    b.Close();
    return o;
}

std::string NetHudLine(const CNetSession& net, const std::string& addresses)
{
    const std::string you = net.Hosting() ? "you host" : "you joined";
    switch (net.GetStatus()) {
    case CNetSession::Status::Listening:
        return "hosting on UDP port " + std::to_string(net.Port()) +
               ": waiting for an opponent to join one of " + addresses;
    case CNetSession::Status::Connecting:
        return "joining: waiting for the host's answer";
    case CNetSession::Status::Playing:
        if (net.LocalToPlay())
            return "online, " + you + ": your turn";
        if (net.OpponentAiming())
            return "online, " + you + ": the opponent is aiming";
        return "online, " + you;
    case CNetSession::Status::Waiting:
        return "online, " + you + ": the opponent is away";
    case CNetSession::Status::Ended:
        return "the network game is over (M: menu)";
    case CNetSession::Status::Idle:
        break;
    }
    return "";
}

Overlay HelpPane(int mode, int width, int height)
{
    Overlay o;
    std::vector<std::string> keys, effects;
    HelpRows(mode, width, keys, effects);
    const int lines = static_cast<int>(keys.size());
    const float top = height - 60.0f;
    // A dark pane under the text, so it reads over the cloth.
    AddRect(o, HelpLeft - 10.0f, top - HelpRowPixels * lines - 6.0f,
            width - 2.0f * HelpLeft + 20.0f, HelpRowPixels * lines + 24.0f,
            OverlayColour{0.0f, 0.0f, 0.0f, 0.75f});
    AddText(o, HelpLeft, top + 4.0f, Cream, "%s", HelpText(mode)[0].c_str());
    const float column = HelpLeft + HelpCharWidth * (HelpKeyColumn(mode) + 2);
    for (int i = 0; i < lines; ++i) {
        const float y = top - HelpRowPixels * (i + 1) + 4.0f;
        if (!keys[i].empty())
            AddText(o, HelpLeft, y, White, "%s", keys[i].c_str());
        AddText(o, column, y, White, "%s", effects[i].c_str());
    }
    return o;
}
