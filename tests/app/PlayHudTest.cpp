// The play modes' HUD as data: every text on a panel, no two panels overlapping, all inside the
// window, at 800x600 and 1080p.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Game.h"
#include "app/PlayHud.h"
#include "game/TableGame.h"

namespace {

// The font's advance, HUD units a character, as the panels measure it.
constexpr float Advance = 9.0f;
// A text's pen is on its baseline: the glyphs reach this far below and above it.
constexpr float Below = 3.0f, Above = 10.0f;

struct Box {
    float x0, y0, x1, y1;
};

bool Overlap(const Box& a, const Box& b)
{
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

bool Inside(const Box& in, const Box& out)
{
    return in.x0 >= out.x0 - 0.01f && in.x1 <= out.x1 + 0.01f && in.y0 >= out.y0 - 0.01f &&
           in.y1 <= out.y1 + 0.01f;
}

Box Bounds(const OverlayItem& i)
{
    switch (i.kind) {
    case OverlayItem::Text:
        return {i.x, i.y - Below, i.x + Advance * static_cast<float>(i.text.size()), i.y + Above};
    case OverlayItem::Rect:
        return {i.x, i.y, i.x + i.w, i.y + i.h};
    default:
        return {i.x - i.w, i.y - i.w, i.x + i.w, i.y + i.w};
    }
}

// The translucent panels, which only the HUD's text blocks and the power bar draw.
bool IsPanel(const OverlayItem& i)
{
    return i.kind == OverlayItem::Rect && i.colour.a < 0.99f && i.colour.r == 0.0f;
}

void ExpectReadable(const Overlay& o, int width, int height, const std::string& what)
{
    SCOPED_TRACE(what);
    const Box window{0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height)};
    std::vector<Box> panels;
    for (const OverlayItem& i : o)
        if (IsPanel(i))
            panels.push_back(Bounds(i));
    ASSERT_GE(panels.size(), 3u) << "the HUD's block, the power bar's and the credits'";
    for (size_t a = 0; a < panels.size(); ++a)
        for (size_t b = a + 1; b < panels.size(); ++b)
            EXPECT_FALSE(Overlap(panels[a], panels[b])) << "panels " << a << " and " << b;
    for (const OverlayItem& i : o) {
        const Box box = Bounds(i);
        EXPECT_TRUE(Inside(box, window))
            << "off the window: " << i.text << " at " << i.x << ", " << i.y;
        if (i.kind == OverlayItem::Text) {
            bool onPanel = false;
            for (const Box& p : panels)
                onPanel |= Inside(box, p);
            EXPECT_TRUE(onPanel) << "no panel under \"" << i.text << "\"";
        }
        if (i.kind == OverlayItem::Disc) { // the strike diagram stands on its own
            for (const Box& p : panels) {
                EXPECT_FALSE(Overlap(box, p)) << "the strike diagram under a panel";
            }
        }
    }
}

TEST(PlayHud, EveryTextStandsOnAPanelAndNothingOverlapsOrLeavesTheWindow)
{
    for (int mode = 1; mode <= 3; ++mode) {
        CTableGame game(7);
        game.Begin(mode, 0);
        game.TakeEvents();
        for (const int windowHeight : {600, 720, 1080}) {
            const int windowWidth = windowHeight == 600 ? 800 : windowHeight * 16 / 9;
            const float scale = HudScale(windowHeight);
            HudView v;
            v.width = HudUnits(windowWidth, scale);
            v.height = HudUnits(windowHeight, scale);
            v.cueAiming = true;
            v.cueSpeed = 2.0f;
            // A question longer than any window is wide goes on under itself.
            const std::string question =
                "Foul: illegal break, no ball potted and fewer than four to a cushion "
                "(Player 1). Player 2 has ball in hand. Re-rack and throw this rack away? Y / N";
            v.question = question.c_str();
            Overlay o = PlayHud(game, v);
            const Overlay credits = CreditsPane(CreditsText);
            o.insert(o.end(), credits.begin(), credits.end());
            ExpectReadable(o, v.width, v.height,
                           "mode " + std::to_string(mode) + " at " + std::to_string(windowWidth) +
                               "x" + std::to_string(windowHeight));
        }
    }
}

TEST(PlayHud, TheHudUnitKeeps800x600AsItWasAndGrowsWithTheHeight)
{
    EXPECT_EQ(HudScale(600), 1.0f);
    EXPECT_EQ(HudScale(480), 1.0f);
    EXPECT_FLOAT_EQ(HudScale(1080), 1.8f);
    EXPECT_EQ(HudFontSize(1.0f), 10);
    EXPECT_EQ(HudFontSize(HudScale(1080)), 18);
    EXPECT_EQ(HudUnits(1920, HudScale(1080)), 1066);
}

} // namespace
