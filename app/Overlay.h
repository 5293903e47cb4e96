// Overlay: the HUD as data (texts and shapes in window pixels) and its one drawer.
#pragma once

#include <string>
#include <vector>

class CFreeFont;

struct OverlayColour {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

// Window pixels from the bottom-left corner, as the font prints.
struct OverlayItem {
    enum Kind { Text, Rect, Disc, Ring } kind = Text;
    float x = 0.0f, y = 0.0f; // a text's pen, a rectangle's lower-left corner, a disc's centre
    float w = 0.0f, h = 0.0f; // a rectangle's size; a disc's or ring's radius is w
    OverlayColour colour;
    std::string text;
};

// Items are drawn in order: a later one covers an earlier one.
using Overlay = std::vector<OverlayItem>;

// Appenders, bounded: a text longer than 255 characters is cut there.
void AddText(Overlay& o, float x, float y, OverlayColour c, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
void AddRect(Overlay& o, float x, float y, float w, float h, OverlayColour c);
void AddDisc(Overlay& o, float x, float y, float r, OverlayColour c);
void AddRing(Overlay& o, float x, float y, float r, OverlayColour c);

// The one drawer: shapes flat and unlit (blended when translucent), texts
// through `font`, over whatever the frame holds. GL state comes back as found.
// Items are laid out in units of `scale` window pixels (the font's size
// matching): a layout made for 800 × 600 reads alike in a taller window.
void DrawOverlay(const Overlay& o, CFreeFont& font, int width, int height, float scale = 1.0f);

// The HUD's unit, window pixels: 1 up to a 600-pixel-high window, growing with
// the height beyond (1.8 at 1080), so the text keeps its share of the screen.
float HudScale(int height);
// The overlay font's size, points, at that unit (10 at 1).
int HudFontSize(float scale);
// The window's size in HUD units: what the overlay builders lay out in.
int HudUnits(int pixels, float scale);
