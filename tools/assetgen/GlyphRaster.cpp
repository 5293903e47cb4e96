// Rasterises text from a TrueType font with FreeType into coverage bitmaps.
#include "tools/assetgen/GlyphRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

float Coverage::Sample(float x, float y) const
{
    x -= 0.5f;
    y -= 0.5f;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float tx = x - x0, ty = y - y0;
    auto at = [&](int i, int j) -> float {
        if (i < 0 || j < 0 || i >= width || j >= height)
            return 0.0f;
        return At(i, j) / 255.0f;
    };
    float a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * tx;
    float b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * tx;
    return a + (b - a) * ty;
}

CGlyphRaster::CGlyphRaster(const std::string& fontPath) : path(fontPath)
{
    if (FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("Unable to start FreeType for '" + fontPath + "'");
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        throw std::runtime_error("Unable to open font '" + fontPath + "'");
    }
}

CGlyphRaster::~CGlyphRaster()
{
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

bool CGlyphRaster::HasGlyph(unsigned long c) const
{
    return FT_Get_Char_Index(face, c) != 0;
}

namespace {

// Copies a rendered glyph bitmap onto the canvas with its top-left at (x, y),
// keeping the larger coverage where glyphs overlap.
void Stamp(Coverage& canvas, const FT_Bitmap& bitmap, int x, int y)
{
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* src = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            int cx = x + static_cast<int>(col), cy = y + static_cast<int>(row);
            if (cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height)
                continue;
            uint8_t& dst = canvas.alpha[static_cast<size_t>(cy) * canvas.width + cx];
            dst = std::max(dst, src[col]);
        }
    }
}

// The smallest bitmap holding all ink of `canvas`, with `margin` around it.
Coverage Crop(const Coverage& canvas, int margin)
{
    int x0 = canvas.width, y0 = canvas.height, x1 = -1, y1 = -1;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y)) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    Coverage out;
    if (x1 < 0)
        return out;
    out.width = x1 - x0 + 1 + 2 * margin;
    out.height = y1 - y0 + 1 + 2 * margin;
    out.alpha.assign(static_cast<size_t>(out.width) * out.height, 0);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            out.alpha[static_cast<size_t>(y - y0 + margin) * out.width + (x - x0 + margin)] =
                canvas.At(x, y);
    return out;
}

} // namespace

Coverage CGlyphRaster::Render(const std::string& text, int pixelSize, float embolden,
                              int margin) const
{
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        throw std::runtime_error("Unable to size font '" + path + "'");
    const FT_Pos strength = static_cast<FT_Pos>(std::lround(embolden * pixelSize * 64.0f));
    Coverage canvas;
    canvas.width = static_cast<int>(text.size() + 1) * pixelSize * 2;
    canvas.height = pixelSize * 3;
    canvas.alpha.assign(static_cast<size_t>(canvas.width) * canvas.height, 0);
    int penX = pixelSize / 2;
    const int baseline = pixelSize * 2;
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0)
            throw std::runtime_error("Unable to load a glyph from font '" + path + "'");
        FT_GlyphSlot slot = face->glyph;
        // Embolden grows the outline by `strength` in total; centre the growth.
        if (strength > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Embolden(&slot->outline, strength);
            FT_Outline_Translate(&slot->outline, -strength / 2, -strength / 2);
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
            throw std::runtime_error("Unable to render a glyph from font '" + path + "'");
        Stamp(canvas, slot->bitmap, penX + slot->bitmap_left, baseline - slot->bitmap_top);
        penX += static_cast<int>((slot->advance.x + strength) >> 6);
    }
    return Crop(canvas, margin);
}

void AddUnderline(Coverage& coverage, int gap, int thickness, float widthFraction)
{
    int oldHeight = coverage.height;
    coverage.height += gap + thickness;
    coverage.alpha.resize(static_cast<size_t>(coverage.width) * coverage.height, 0);
    int barWidth = static_cast<int>(std::lround(coverage.width * widthFraction));
    int x0 = (coverage.width - barWidth) / 2;
    for (int y = oldHeight + gap; y < coverage.height; ++y)
        for (int x = x0; x < x0 + barWidth; ++x)
            coverage.alpha[static_cast<size_t>(y) * coverage.width + x] = 255;
}
