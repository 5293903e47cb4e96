// CMenuScreen: the menu over the paused table: games, opponent, guide, volume, resume, quit.
#pragma once

#include <SDL.h>

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
Overlay MenuOverlay(const std::vector<MenuRow>& rows, int selected, int width, int height);

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
    void Key(SDLKey key);
    void Button(int button, bool down) override;
    void Update(float dt) override;
    void Draw() override;

    int selected = 0;

private:
    void Pick(int row, int direction);
    // The rows in the window's HUD units, and the pointer in them (y up).
    std::vector<MenuRow> Rows() const;
    float PointerX() const;
    float PointerY() const;
    CGame& shell;
    CScreen* behind = nullptr;
    int pointerX = -1, pointerY = -1; // where the pointer was last frame
};
