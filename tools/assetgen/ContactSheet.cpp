// One picture showing all generated pictures side by side, labelled, for people.
#include "tools/assetgen/ContactSheet.h"

#include "tools/assetgen/GlyphRaster.h"

#include <algorithm>

namespace {

constexpr int kSheetWidth = 1600;
constexpr int kGap = 12;
constexpr int kLabelHeight = 22;
const Colour kBackground{0.16f, 0.16f, 0.18f};

void DrawLabel(Image& sheet, const CGlyphRaster& font, const std::string& text, int x, int y)
{
    Coverage ink = font.Render(text, 15, 0.0f, 0);
    int baseY = y + (kLabelHeight - ink.height) / 2;
    for (int j = 0; j < ink.height; ++j)
        for (int i = 0; i < ink.width; ++i) {
            int px = x + i, py = baseY + j;
            if (px < sheet.width && py < sheet.height && py >= 0)
                sheet.Set(px, py, Mix(sheet.Get(px, py), Colour{0.9f, 0.9f, 0.85f}, ink.At(i, j) / 255.0f));
        }
}

} // namespace

Image MakeContactSheet(const std::vector<std::pair<std::string, Image>>& pictures,
                       const CGlyphRaster& font)
{
    // First pass: shelf layout, left to right, wrapping at the sheet's width.
    struct Place { int x, y; Image picture; };
    std::vector<Place> places;
    int x = kGap, y = kGap, rowHeight = 0;
    for (const auto& [name, picture] : pictures) {
        Image shown = ShrinkToFit(picture, 512, 512);
        if (x + shown.width + kGap > kSheetWidth) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        places.push_back(Place{x, y, shown});
        x += std::max(shown.width, 150) + kGap;
        rowHeight = std::max(rowHeight, shown.height + kLabelHeight);
    }
    Image sheet(kSheetWidth, y + rowHeight + kGap, kBackground);
    for (size_t i = 0; i < places.size(); ++i) {
        DrawLabel(sheet, font, pictures[i].first, places[i].x, places[i].y);
        Blit(sheet, places[i].picture, places[i].x, places[i].y + kLabelHeight);
    }
    return sheet;
}
