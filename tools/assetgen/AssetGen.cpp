// assetgen: paints the game's pictures and builds its models into a data folder,
// and/or draws the pictures onto one contact sheet for people to look at,
// and/or draws the game's icon as PNGs of the sizes asked for.
//   assetgen --font FONT.ttf [--out DIR] [--contact-sheet SHEET.png] [--icon SIZE FILE.png]...
#include "tools/assetgen/AssetCatalogue.h"
#include "tools/assetgen/BallIcon.h"
#include "tools/assetgen/BallPicture.h"
#include "tools/assetgen/ContactSheet.h"
#include "tools/assetgen/GlyphRaster.h"
#include "tools/assetgen/PngFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace {

// Icons are drawn from 16 to 1024 pixels square.
constexpr int kLargestIcon = 1024;

struct Options {
    std::string outDir, fontPath, sheetPath;
    std::vector<std::pair<int, std::string>> icons; // size in pixels, file
};

// A whole number from 16 to kLargestIcon with nothing after it, or 0.
int IconSize(const char* text)
{
    char* end = nullptr;
    const long size = strtol(text, &end, 10);
    return end != text && *end == '\0' && size >= 16 && size <= kLargestIcon ? static_cast<int>(size) : 0;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        bool hasValue = i + 1 < argc;
        if (!strcmp(argv[i], "--out") && hasValue)
            options.outDir = argv[++i];
        else if (!strcmp(argv[i], "--font") && hasValue)
            options.fontPath = argv[++i];
        else if (!strcmp(argv[i], "--contact-sheet") && hasValue)
            options.sheetPath = argv[++i];
        else if (!strcmp(argv[i], "--icon") && i + 2 < argc && IconSize(argv[i + 1])) {
            options.icons.emplace_back(IconSize(argv[i + 1]), argv[i + 2]);
            i += 2;
        } else
            return false;
    }
    // The digits need the font; without a destination there is nothing to do.
    return !options.fontPath.empty() &&
           (!options.outDir.empty() || !options.sheetPath.empty() || !options.icons.empty());
}

void WriteIcons(const Options& options, const CGlyphRaster& font)
{
    // The ball's front half spans half the wrap's width: a wrap as high as the
    // largest icon gives it about one wrap pixel per icon pixel.
    int largest = 256;
    for (const auto& icon : options.icons)
        largest = std::max(largest, icon.first);
    const Image wrap = PaintBall(kIconBall, font, 2 * largest, largest);
    for (const auto& [size, path] : options.icons) {
        const IconPicture icon = PaintBallIcon(wrap, size);
        WritePng(path, icon.colour, icon.alpha);
    }
}

void Generate(const Options& options)
{
    CGlyphRaster font(options.fontPath);
    if (!options.outDir.empty() || !options.sheetPath.empty()) {
        PaintedPictures pictures = PaintPictures(font);
        if (!options.outDir.empty()) {
            WritePictures(options.outDir, pictures);
            WriteModels(options.outDir);
        }
        if (!options.sheetPath.empty())
            WritePng(options.sheetPath, MakeContactSheet(pictures, font));
    }
    if (!options.icons.empty())
        WriteIcons(options, font);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        fprintf(stderr,
                "usage: %s --font FONT.ttf [--out DIR] [--contact-sheet SHEET.png]\n"
                "       [--icon SIZE FILE.png]...\n"
                "       (at least one output; an icon is 16 to %d pixels square)\n",
                argv[0], kLargestIcon);
        return 2;
    }
    try {
        Generate(options);
    } catch (const std::exception& e) {
        fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
