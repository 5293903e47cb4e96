// PlayHud and HelpPane: lines, colours and shapes of the play modes' HUD and of the help screen.
#include "app/PlayHud.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/HelpText.h"
#include "game/TableGame.h"
#include "net/NetSession.h"
#include "physics/ShotTuning.h"

namespace {

const OverlayColour White{1.0f, 1.0f, 1.0f};
const OverlayColour Cream{1.0f, 1.0f, 0.6f};
const OverlayColour TurnYellow{1.0f, 1.0f, 0.3f};
const OverlayColour Grey{0.75f, 0.75f, 0.75f};
const OverlayColour Winner{0.4f, 1.0f, 0.4f};
const OverlayColour FoulRed{1.0f, 0.45f, 0.35f};

// Line spacing of the 10-pixel overlay font, pixels.
constexpr float LinePixels = 14.0f;

// The strike point diagram: centre and radius in window pixels, left of the power bar.
constexpr float DiagramRight = 90.0f, DiagramY = 80.0f, DiagramRadius = 32.0f;

// The help pane: left edge, line spacing and the overlay font's advance, pixels.
constexpr float HelpLeft = 40.0f, HelpRowPixels = 14.0f, HelpCharWidth = 8.5f;

std::string BallList(BallSet set)
{
    std::string s;
    for (int n = 1; n <= MaxBall; ++n)
        if (Has(set, n))
            s += (s.empty() ? "" : " ") + std::to_string(n);
    return s.empty() ? "-" : s;
}

void PracticeLines(Overlay& o, const CTableGame& game, float& y)
{
    const CPlaySession& play = game.Session();
    std::string potted;
    for (int n : play.tray)
        potted += (potted.empty() ? "" : " ") + std::to_string(n);
    AddText(o, 10.0f, y, Cream, "Practice   shots: %d   potted: %s", play.shots,
            potted.empty() ? "none" : potted.c_str());
    y -= LinePixels;
    const Placement verdict = game.HandVerdict();
    if (play.phase == CPlaySession::InHand)
        AddText(o, 10.0f, y, Cream, "Ball in hand: move the mouse, left click to place%s%s",
                verdict == Placement::Allowed ? "" : "  -  ", PlacementText(verdict));
    else if (play.tray.size() >= 15 && play.phase == CPlaySession::Aim)
        AddText(o, 10.0f, y, Cream, "Table cleared: R re-racks");
}

// "You" and "Opponent" in a network game, else the match's own names.
const char* SideLabel(const CMatch& match, int side, const HudView& v)
{
    if (!v.network)
        return match.SideName(side);
    return side == v.localSide ? "You" : "Opponent";
}

// One line per side: the turn marked, the group and the balls it still needs.
void SideLines(Overlay& o, const CMatch& match, const HudView& v, float& y)
{
    const CRules& rules = match.rules;
    const bool nine = rules.Game() == GameKind::NineBall;
    for (int side = 0; side < 2; ++side) {
        const bool turn = !rules.RackOver() && rules.Turn() == side;
        const OverlayColour c = turn ? TurnYellow : Grey;
        if (nine) {
            AddText(o, 10.0f, y, c, "%s %s   fouls in a row: %d", turn ? ">" : " ",
                    SideLabel(match, side, v), rules.FoulsInARow(side));
        } else {
            // The group first, the 8 last: the order they must go down in.
            const BallSet own = BallSet(rules.BallsNeeded(side) & ~BallBit(8));
            AddText(o, 10.0f, y, c, "%s %s   %s   needs: %s%s", turn ? ">" : " ",
                    SideLabel(match, side, v), GroupName(rules.GroupOf(side)),
                    own ? BallList(own).c_str() : "", own ? ", then the 8" : "the 8");
        }
        y -= LinePixels;
    }
}

// What happens now: the winner, the computer's progress, or what the side to play does.
void NowLine(Overlay& o, const CTableGame& game, const HudView& v, float y)
{
    const CMatch& match = game.Match();
    const CRules& rules = match.rules;
    const CPlaySession& play = game.Session();
    const char* who = SideLabel(match, rules.Turn(), v);
    if (rules.RackOver()) {
        const bool you =
            v.network ? rules.Winner() == v.localSide : match.SecondPerson(rules.Winner());
        AddText(o, 10.0f, y, Winner, "%s %s the rack (%s).  %s",
                SideLabel(match, rules.Winner(), v), you ? "win" : "wins", match.last.text,
                v.network ? "The next rack follows" : "R: a new rack");
    } else if (match.ComputerToPlay()) {
        AddText(o, 10.0f, y, White, "Computer's turn: %s",
                play.phase == CPlaySession::Rolling             ? "shot played"
                : game.ComputerStage() == CComputerTurn::Aiming ? "aiming"
                                                                : "thinking...");
    } else if (play.phase == CPlaySession::InHand) {
        const Placement verdict = game.HandVerdict();
        AddText(o, 10.0f, y, White,
                "%s to %s: ball in hand%s, move the mouse, left click to place%s%s", who,
                rules.BreakPending() ? "break" : "play",
                play.Kitchen() ? " behind the head string" : "",
                verdict == Placement::Allowed ? "" : "  -  ", PlacementText(verdict));
    } else if (play.phase != CPlaySession::Rolling) {
        AddText(o, 10.0f, y, White, "%s to %s", who, rules.BreakPending() ? "break" : "play");
    }
}

void RulesLines(Overlay& o, const CTableGame& game, const HudView& v, float& y)
{
    const CMatch& match = game.Match();
    const CRules& rules = match.rules;
    const bool nine = rules.Game() == GameKind::NineBall;
    if (v.network)
        AddText(o, 10.0f, y, Cream, "%s   %s", nine ? "9-ball" : "8-ball", v.netLine.c_str());
    else
        AddText(o, 10.0f, y, Cream, "%s   against %s (O changes it)", nine ? "9-ball" : "8-ball",
                OpponentName(match.opponent));
    y -= LinePixels;
    if (v.network && !v.netNotice.empty()) {
        AddText(o, 10.0f, y, FoulRed, "%s", v.netNotice.c_str());
        y -= LinePixels;
    }
    SideLines(o, match, v, y);
    if (nine) {
        AddText(o, 10.0f, y, Cream, "Ball on: %d   on the table: %s",
                LowestBall(rules.BallsOnTable()), BallList(rules.BallsOnTable()).c_str());
        y -= LinePixels;
    }
    NowLine(o, game, v, y);
    y -= LinePixels;
    // The last verdict worth a word: a foul and why, an illegal break, a group decided.
    const ShotResult& r = match.last;
    if (match.judged && !r.rackOver && (r.IsFoul() || r.reRack))
        AddText(o, 10.0f, y, FoulRed, "Last shot by %s: %s", SideLabel(match, r.shooter, v),
                r.text);
    else if (match.judged && r.groupAssigned != Group::Open)
        AddText(o, 10.0f, y, Cream, "%s %s %s", SideLabel(match, r.shooter, v),
                v.network ? (r.shooter == v.localSide ? "take" : "takes") : match.Takes(r.shooter),
                GroupName(r.groupAssigned));
}

void PowerBar(Overlay& o, const HudView& v)
{
    const float fraction = (v.cuePower - CueMinPower) / (CueMaxPower - CueMinPower);
    const float x0 = v.width - 40.0f, y0 = 40.0f, w = 16.0f, h = 200.0f;
    AddRect(o, x0, y0, w, h, OverlayColour{0.2f, 0.2f, 0.2f});
    AddRect(o, x0 + 2.0f, y0 + 2.0f, w - 4.0f, (h - 4.0f) * fraction,
            OverlayColour{0.3f + 0.7f * fraction, 1.0f - 0.7f * fraction, 0.1f});
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
    float y = v.height - 28.0f;
    if (v.network)
        AddText(o, 10.0f, y, White, "F1 help  M menu (Leave ends the game)  T top view  P replay");
    else
        AddText(o, 10.0f, y, White,
                "F1 help  M menu  F2-F5 games  O opponent  R re-rack  T top view  P replay");
    y -= LinePixels;
    if (game.Rules())
        RulesLines(o, game, v, y);
    else
        PracticeLines(o, game, y);
    if (v.cueAiming)
        PowerBar(o, v);
    if (game.Phase() == CPlaySession::Aim && !game.ReplayPlaying())
        StrikeDiagram(o, v);
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
