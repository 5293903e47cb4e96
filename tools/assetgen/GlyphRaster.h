// Rasterises text from a TrueType font with FreeType into coverage bitmaps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

// 8-bit coverage (0 = no ink, 255 = full ink), rows top first.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;

    // Bilinear coverage in 0..1 at continuous pixel coordinates (pixel
    // centres at +0.5); 0 outside the bitmap.
    float Sample(float x, float y) const;
    uint8_t At(int x, int y) const { return alpha[static_cast<size_t>(y) * width + x]; }
};

class CGlyphRaster {
public:
    // Opens the font; throws std::runtime_error naming the file on failure.
    explicit CGlyphRaster(const std::string& fontPath);
    ~CGlyphRaster();
    CGlyphRaster(const CGlyphRaster&) = delete;
    CGlyphRaster& operator=(const CGlyphRaster&) = delete;

    // One line of text at `pixelSize` pixels per em, outlines thickened by
    // `embolden` em on each side (0 for the plain face), cropped to the ink
    // with `margin` blank pixels around it. Throws when a glyph fails.
    Coverage Render(const std::string& text, int pixelSize, float embolden, int margin) const;

    // True when the font maps character code `c` to a glyph.
    bool HasGlyph(unsigned long c) const;

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string path;
};

// Appends a bar under the ink, as full coverage: `gap` and `thickness` in
// pixels, the bar `widthFraction` of the bitmap's width, centred.
void AddUnderline(Coverage& coverage, int gap, int thickness, float widthFraction);
