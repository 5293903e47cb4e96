// CMenuScreen: the rows, their layout and hit test, the keys and clicks that pick them.
#include "app/MenuScreen.h"

#include <algorithm>
#include <cmath>

#include "app/Game.h"
#include "app/TableScreen.h"
#include "game/EventLog.h"
#include "game/GameMode.h"
#include "net/NetAddress.h"
#include "play/Match.h"

namespace {

// Row pitch and size, pixels: the overlay font is 10 pixels high.
constexpr float RowPixels = 26.0f;
constexpr float RowWidth = 320.0f;
constexpr float RowHeight = 22.0f;
// The font's advance, pixels: centring a row's text.
constexpr float CharPixels = 8.5f;
constexpr float VolumeStep = 0.1f;

const char* GuideName(int setting)
{
    switch (setting) {
    case 0:
        return "off";
    case 1:
        return "ghost ball and lines";
    case 2:
        return "lines and paths";
    default:
        return "the game's default";
    }
}

std::string RowText(MenuRow::Kind kind, const MenuChoices& c)
{
    char value[64];
    switch (kind) {
    case MenuRow::Resume:
        return "Resume";
    case MenuRow::FreeTable:
        return "Free table";
    case MenuRow::Practice:
        return "Practice";
    case MenuRow::EightBall:
        return "8-ball";
    case MenuRow::NineBall:
        return "9-ball";
    case MenuRow::Opponent:
        return std::string("Opponent: ") + OpponentName(c.opponent);
    case MenuRow::HostGame:
        return std::string("Host a game: ") + ModeName(c.netMode);
    case MenuRow::Port:
        return "Port: " + (c.editing == MenuRow::Port ? c.typing + "_" : std::to_string(c.netPort));
    case MenuRow::JoinGame:
        return "Join a game: " + (c.editing == MenuRow::JoinGame ? c.typing + "_"
                                  : c.joinAddress.empty()        ? std::string("(type the address)")
                                                                 : c.joinAddress);
    case MenuRow::Leave:
        return "Leave the network game";
    case MenuRow::AimGuide:
        return std::string("Aiming guide: ") + GuideName(c.aimGuide);
    case MenuRow::Volume:
        snprintf(value, sizeof value, "Volume: %d%%",
                 static_cast<int>(std::lround(c.volume * 100.0f)));
        return value;
    case MenuRow::Quit:
        return "Quit";
    }
    return "";
}

bool Setting(MenuRow::Kind kind)
{
    return kind == MenuRow::Opponent || kind == MenuRow::AimGuide || kind == MenuRow::Volume ||
           kind == MenuRow::HostGame;
}

// The character a key types into an address or a port, or 0.
char Typed(SDLKey key, bool shift)
{
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<char>('0' + (key - SDLK_0));
    if (key >= SDLK_KP0 && key <= SDLK_KP9)
        return static_cast<char>('0' + (key - SDLK_KP0));
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<char>('a' + (key - SDLK_a));
    if (key == SDLK_PERIOD || key == SDLK_KP_PERIOD)
        return '.';
    if (key == SDLK_MINUS || key == SDLK_KP_MINUS)
        return shift ? '_' : '-';
    if (key == SDLK_COLON || (key == SDLK_SEMICOLON && shift))
        return ':';
    return 0;
}

} // namespace

std::vector<MenuRow> MenuRows(const MenuChoices& choices, int width, int height)
{
    static const std::vector<MenuRow::Kind> local = {
        MenuRow::Resume,   MenuRow::FreeTable, MenuRow::Practice, MenuRow::EightBall,
        MenuRow::NineBall, MenuRow::Opponent,  MenuRow::HostGame, MenuRow::Port,
        MenuRow::JoinGame, MenuRow::AimGuide,  MenuRow::Volume,   MenuRow::Quit};
    // A network game locks the game and the opponent: Leave ends it first.
    static const std::vector<MenuRow::Kind> network = {
        MenuRow::Resume, MenuRow::Leave, MenuRow::AimGuide, MenuRow::Volume, MenuRow::Quit};
    const std::vector<MenuRow::Kind>& order = choices.network ? network : local;
    const int count = static_cast<int>(order.size());
    std::vector<MenuRow> rows;
    const float top = 0.5f * height + 0.5f * RowPixels * count;
    for (int i = 0; i < count; ++i) {
        MenuRow r;
        r.kind = order[i];
        r.text = RowText(order[i], choices);
        r.w = RowWidth;
        r.h = RowHeight;
        r.x = 0.5f * (width - RowWidth);
        r.y = top - RowPixels * (i + 1);
        rows.push_back(r);
    }
    return rows;
}

int MenuRowAt(const std::vector<MenuRow>& rows, float x, float y)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        const MenuRow& r = rows[i];
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h)
            return static_cast<int>(i);
    }
    return -1;
}

Overlay MenuOverlay(const std::vector<MenuRow>& rows, int selected, int width, int height,
                    const std::string& message)
{
    Overlay o;
    AddRect(o, 0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height),
            OverlayColour{0.0f, 0.0f, 0.0f, 0.5f});
    if (rows.empty())
        return o;
    const float panelTop = rows.front().y + rows.front().h + 48.0f;
    const float panelBottom = rows.back().y - 88.0f;
    const float left = rows.front().x - 50.0f, w = rows.front().w + 100.0f;
    AddRect(o, left, panelBottom, w, panelTop - panelBottom,
            OverlayColour{0.05f, 0.12f, 0.08f, 0.92f});
    AddText(o, rows.front().x, panelTop - 24.0f, OverlayColour{1.0f, 1.0f, 0.6f}, "Baizeline");
    for (size_t i = 0; i < rows.size(); ++i) {
        const MenuRow& r = rows[i];
        const bool lit = static_cast<int>(i) == selected;
        if (lit)
            AddRect(o, r.x, r.y, r.w, r.h, OverlayColour{0.9f, 0.8f, 0.2f, 0.9f});
        const float textX = r.x + 0.5f * (r.w - CharPixels * static_cast<float>(r.text.size()));
        const OverlayColour ink =
            lit ? OverlayColour{0.0f, 0.0f, 0.0f} : OverlayColour{1.0f, 1.0f, 1.0f};
        AddText(o, textX, r.y + 6.0f, ink, "%s", r.text.c_str());
    }
    const OverlayColour hint{0.75f, 0.75f, 0.75f};
    if (!message.empty())
        AddText(o, left + 12.0f, panelBottom + 66.0f, OverlayColour{1.0f, 0.6f, 0.4f}, "%s",
                message.c_str());
    AddText(o, left + 12.0f, panelBottom + 48.0f, hint,
            "Up/Down and Enter, or a click: pick a row");
    AddText(o, left + 12.0f, panelBottom + 30.0f, hint,
            "Left/Right: change a setting; Esc: resume");
    AddText(o, left + 12.0f, panelBottom + 12.0f, hint, "Choices last until you quit (not saved)");
    return o;
}

CMenuScreen::CMenuScreen(CGame& shell_) : shell(shell_)
{}

std::vector<MenuRow> CMenuScreen::Rows() const
{
    return MenuRows(shell.choices, shell.HudWidth(), shell.HudHeight());
}

float CMenuScreen::PointerX() const
{
    return static_cast<float>(shell.mouse.x) / shell.hudScale;
}

float CMenuScreen::PointerY() const
{
    return static_cast<float>(shell.height - shell.mouse.y) / shell.hudScale;
}

void CMenuScreen::Open(CScreen* under)
{
    behind = under;
    selected = 0;
    pointerX = pointerY = -1;
    shell.GrabPointer(false);
    LogEvent("menu: open");
}

void CMenuScreen::Resume()
{
    // A network game's screen grabs the pointer itself when the turn is this machine's.
    shell.GrabPointer(!shell.choices.network);
    LogEvent("menu: resume");
    shell.ShowScreen(behind);
}

void CMenuScreen::Key(SDLKey key, bool shift)
{
    if (shell.choices.editing >= 0) {
        Edit(key, shift);
        return;
    }
    if (confirming >= 0) {
        Confirm(key);
        return;
    }
    const int count = static_cast<int>(Rows().size());
    selected = std::clamp(selected, 0, count - 1);
    switch (key) {
    case SDLK_UP:
    case SDLK_KP8:
        selected = (selected + count - 1) % count;
        break;
    case SDLK_DOWN:
    case SDLK_KP2:
        selected = (selected + 1) % count;
        break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        Pick(selected, 1);
        break;
    case SDLK_RIGHT:
    case SDLK_KP6:
    case SDLK_LEFT:
    case SDLK_KP4:
        // Left and right change a setting; on a game or Quit they do nothing.
        if (Setting(Rows()[selected].kind))
            Pick(selected, key == SDLK_LEFT || key == SDLK_KP4 ? -1 : 1, true);
        break;
    case SDLK_ESCAPE:
    case SDLK_m:
        Resume();
        break;
    default:
        break;
    }
}

void CMenuScreen::Edit(SDLKey key, bool shift)
{
    MenuChoices& c = shell.choices;
    std::string& text = c.typing;
    const bool port = c.editing == MenuRow::Port;
    switch (key) {
    case SDLK_ESCAPE:
        c.editing = -1;
        message.clear();
        return;
    case SDLK_BACKSPACE:
        if (!text.empty())
            text.pop_back();
        return;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: {
        c.editing = -1;
        message.clear();
        if (port) {
            std::uint16_t p = 0;
            if (ParsePort(text, p))
                c.netPort = p;
            else if (!text.empty())
                message = "A port is a number from 1 to 65535";
            LogEvent("menu: port %u", unsigned(c.netPort));
            return;
        }
        c.joinAddress = text;
        shell.JoinGame(text);
        return;
    }
    default:
        break;
    }
    const char ch = Typed(key, shift);
    if (ch && (!port || (ch >= '0' && ch <= '9')) && text.size() < (port ? 5u : 64u))
        text.push_back(ch);
}

void CMenuScreen::Pick(int row, int direction, bool setting)
{
    const std::vector<MenuRow> rows = Rows();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    switch (rows[row].kind) {
    case MenuRow::Resume:
        Resume();
        return;
    case MenuRow::FreeTable:
    case MenuRow::Practice:
    case MenuRow::EightBall:
    case MenuRow::NineBall:
        if (RackBehind()) {
            confirming = rows[row].kind;
            message = "Leave this rack for another game? Y / N";
            LogEvent("confirm: %s", message.c_str());
            return;
        }
        StartGame(rows[row].kind);
        return;
    case MenuRow::Opponent:
        shell.choices.opponent = (shell.choices.opponent + 4 + direction) % 4;
        LogEvent("menu: opponent %s", OpponentName(shell.choices.opponent));
        break;
    case MenuRow::AimGuide:
        // −1 (the default), 0, 1, 2 and round again.
        shell.choices.aimGuide = (shell.choices.aimGuide + 1 + 4 + direction) % 4 - 1;
        LogEvent("menu: aiming guide %s", GuideName(shell.choices.aimGuide));
        break;
    case MenuRow::Volume:
        shell.choices.volume =
            std::clamp(std::round((shell.choices.volume + direction * VolumeStep) * 10.0f) / 10.0f,
                       0.0f, 1.0f);
        LogEvent("menu: volume %.1f", shell.choices.volume);
        break;
    case MenuRow::HostGame:
        if (setting) {
            shell.choices.netMode =
                shell.choices.netMode == ModeNineBall ? ModeEightBall : ModeNineBall;
            LogEvent("menu: host %s", ModeName(shell.choices.netMode));
            return;
        }
        shell.HostGame();
        return;
    case MenuRow::Port:
        shell.choices.typing.clear();
        shell.choices.editing = MenuRow::Port;
        message = "Type the port, Enter to keep it, Escape to cancel";
        return;
    case MenuRow::JoinGame:
        shell.choices.typing = shell.choices.joinAddress;
        shell.choices.editing = MenuRow::JoinGame;
        message = "Type the host's address (HOST or HOST:PORT), then Enter";
        return;
    case MenuRow::Leave:
        shell.LeaveGame();
        return;
    case MenuRow::Quit:
        LogEvent("menu: quit");
        shell.running = false;
        return;
    }
    shell.ApplyChoices();
}

bool CMenuScreen::RackBehind() const
{
    CTableScreen& table = shell.TableScreen();
    return behind && behind == static_cast<CScreen*>(&table) && table.RackUnderWay();
}

void CMenuScreen::StartGame(int kind)
{
    shell.GrabPointer(true);
    shell.StartMode(ModeFreeTable + (kind - MenuRow::FreeTable));
}

void CMenuScreen::Confirm(SDLKey key)
{
    if (key != SDLK_y && key != SDLK_n && key != SDLK_ESCAPE)
        return;
    const int kind = confirming;
    confirming = -1;
    message.clear();
    LogEvent("confirm: %s", key == SDLK_y ? "yes" : "no");
    // The screen may be left here: nothing of it is touched after.
    if (key == SDLK_y)
        StartGame(kind);
}

void CMenuScreen::Button(int button, bool down)
{
    // While a question waits, only Y or N answers it.
    if (button != SDL_BUTTON_LEFT || !down || confirming >= 0)
        return;
    const std::vector<MenuRow> rows = Rows();
    const int row = MenuRowAt(rows, PointerX(), PointerY());
    if (row >= 0) {
        selected = row;
        Pick(row, 1);
    }
}

void CMenuScreen::Update(float)
{
    // The pointer picks the row it moves onto; keys choose between its moves.
    if (shell.mouse.x != pointerX || shell.mouse.y != pointerY) {
        if (pointerX >= 0) {
            const int row = MenuRowAt(Rows(), PointerX(), PointerY());
            if (row >= 0)
                selected = row;
        }
        pointerX = shell.mouse.x;
        pointerY = shell.mouse.y;
    }
    shell.mouse.dx = 0;
    shell.mouse.dy = 0;
}

void CMenuScreen::Draw()
{
    if (behind)
        behind->Draw();
    else
        shell.DrawScene();
    shell.DrawHud(MenuOverlay(Rows(), selected, shell.HudWidth(), shell.HudHeight(), message));
}
