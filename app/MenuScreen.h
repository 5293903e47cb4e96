// CMenuScreen: the menu over the paused table: games, opponent, guide, volume, resume, quit.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Overlay.h"
#include "app/Screen.h"

class CGame;

// The session's choices the menu offers; the shell starts games with them.
// Nothing is written back to game.cfg.
struct MenuChoices {
    int opponent = 0;  // 0 a second person, 1 to 3 the computer, easy to hard
    int aimGuide = -1; // [Game] AimGuide: −1 the mode's default, 0 off, 1 lines, 2 lines and paths
    float volume = 0.7f; // 0 to 1
    // Network play: the game a host offers, the UDP port it listens on, the
    // address a joiner types ("HOST" or "HOST:PORT").
    int netMode = 2; // ModeEightBall or ModeNineBall
    std::uint16_t netPort = 27960;
    std::string joinAddress;
    // A network game is on: the rows that would change the game give way to Leave.
    bool network = false;
    // The row whose text is being typed (Port, JoinGame), or −1, and the text so far.
    int editing = -1;
    std::string typing;
};

// One row of the menu, where it is drawn (window pixels from the bottom left).
struct MenuRow {
    enum Kind {
        Resume,
        FreeTable,
        Practice,
        EightBall,
        NineBall,
        Opponent,
        HostGame, // host a network game (Left/Right: 8-ball or 9-ball)
        Port,     // the port hosted on (typed)
        JoinGame, // join one at the address typed
        Leave,    // a network game: end it for both
        AimGuide,
        Volume,
        Quit
    } kind;
    std::string text;
    float x, y, w, h;
};

// The rows for `choices` in a window of `width` × `height`: centred, top to bottom.
std::vector<MenuRow> MenuRows(const MenuChoices& choices, int width, int height);
// The row under window pixel (x, y) (y from the bottom), or −1.
int MenuRowAt(const std::vector<MenuRow>& rows, float x, float y);
// The menu as overlay data: a dimming of the table, the panel, the rows with
// `selected` lit, the hints.
// `message`, when not empty, stands under the rows (a failed join, what to type).
Overlay MenuOverlay(const std::vector<MenuRow>& rows, int selected, int width, int height,
                    const std::string& message = "");

class CMenuScreen : public CScreen {
public:
    explicit CMenuScreen(CGame& shell);

    // On show over `behind` (drawn, not updated, while the menu is up); the
    // pointer is let go so that it can point at the rows.
    void Open(CScreen* behind);
    // Back to `behind` with the pointer grabbed again (Escape, Resume).
    void Resume();
    // The menu's own keys: Up/Down choose, Enter picks, Left/Right change a
    // setting, Escape and M resume.
    void Key(SDLKey key, bool shift = false);
    void Button(int button, bool down) override;
    void Update(float dt) override;
    void Draw() override;

    int selected = 0;
    // A line under the rows: why hosting or joining failed, or what to type.
    std::string message;

private:
    // The rows in the window's HUD units, and the pointer in them (y up).
    std::vector<MenuRow> Rows() const;
    float PointerX() const;
    float PointerY() const;
    // `setting`: Left or Right on a setting row (the host's game among them).
    void Pick(int row, int direction, bool setting = false);
    // Typing into the Port or Join row: characters, Backspace, Enter, Escape.
    void Edit(SDLKey key, bool shift);
    // A game row picked in the middle of a rack waits for Y (go) or N/Escape (stay).
    bool RackBehind() const;
    void Confirm(SDLKey key);
    void StartGame(int kind); // a MenuRow game kind
    int confirming = -1;      // the game row's kind waiting for Y or N, or -1
    CGame& shell;
    CScreen* behind = nullptr;
    int pointerX = -1, pointerY = -1; // where the pointer was last frame
};
