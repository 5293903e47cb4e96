// Overlay: the appenders and the drawer of HUD items.
#include "app/Overlay.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "app/PixelOverlay.h"
#include "physics/Units.h"
#include "text/FreeFont.h"

namespace {

constexpr int CircleSegments = 32;

OverlayItem Shape(OverlayItem::Kind kind, float x, float y, float w, float h, OverlayColour c)
{
    OverlayItem i;
    i.kind = kind;
    i.x = x;
    i.y = y;
    i.w = w;
    i.h = h;
    i.colour = c;
    return i;
}

void Colour(const OverlayColour& c)
{
    glColor4f(c.r, c.g, c.b, c.a);
}

void DrawShape(const OverlayItem& i, float k)
{
    Colour(i.colour);
    switch (i.kind) {
    case OverlayItem::Rect:
        glRectf(k * i.x, k * i.y, k * (i.x + i.w), k * (i.y + i.h));
        break;
    case OverlayItem::Disc:
        glBegin(GL_TRIANGLE_FAN);
        glVertex2f(k * i.x, k * i.y);
        for (int n = 0; n <= CircleSegments; ++n) {
            const float a = TwoPi * static_cast<float>(n) / CircleSegments;
            glVertex2f(k * (i.x + i.w * std::cos(a)), k * (i.y + i.w * std::sin(a)));
        }
        glEnd();
        break;
    case OverlayItem::Ring:
        glBegin(GL_LINE_LOOP);
        for (int n = 0; n < CircleSegments; ++n) {
            const float a = TwoPi * static_cast<float>(n) / CircleSegments;
            glVertex2f(k * (i.x + i.w * std::cos(a)), k * (i.y + i.w * std::sin(a)));
        }
        glEnd();
        break;
    case OverlayItem::Text:
        break;
    }
}

} // namespace

void AddText(Overlay& o, float x, float y, OverlayColour c, const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    OverlayItem i = Shape(OverlayItem::Text, x, y, 0.0f, 0.0f, c);
    i.text = text;
    o.push_back(i);
}

void AddRect(Overlay& o, float x, float y, float w, float h, OverlayColour c)
{
    o.push_back(Shape(OverlayItem::Rect, x, y, w, h, c));
}

void AddDisc(Overlay& o, float x, float y, float r, OverlayColour c)
{
    o.push_back(Shape(OverlayItem::Disc, x, y, r, r, c));
}

void AddRing(Overlay& o, float x, float y, float r, OverlayColour c)
{
    o.push_back(Shape(OverlayItem::Ring, x, y, r, r, c));
}

float HudScale(int height)
{
    // The layout was made for 600 pixels; a smaller window keeps it as it is.
    return height > 600 ? static_cast<float>(height) / 600.0f : 1.0f;
}

int HudFontSize(float scale)
{
    return static_cast<int>(std::lround(10.0f * scale));
}

int HudUnits(int pixels, float scale)
{
    return scale > 0.0f ? static_cast<int>(static_cast<float>(pixels) / scale) : pixels;
}

void DrawOverlay(const Overlay& o, CFreeFont& font, int width, int height, float scale)
{
    size_t i = 0;
    while (i < o.size()) {
        if (o[i].kind == OverlayItem::Text) {
            Colour(o[i].colour);
            font.Print(scale * o[i].x, scale * o[i].y, "%s", o[i].text.c_str());
            ++i;
            continue;
        }
        // A run of shapes shares one flat set-up.
        BeginPixelOverlay(width, height);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (; i < o.size() && o[i].kind != OverlayItem::Text; ++i)
            DrawShape(o[i], scale);
        EndPixelOverlay();
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}
