// assetgen: paints the game's pictures and builds its models into a data folder,
// and/or draws the pictures onto one contact sheet for people to look at.
//   assetgen --font FONT.ttf [--out DIR] [--contact-sheet SHEET.png]
#include "tools/assetgen/AssetCatalogue.h"
#include "tools/assetgen/ContactSheet.h"
#include "tools/assetgen/GlyphRaster.h"
#include "tools/assetgen/PngFile.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

struct Options {
    std::string outDir, fontPath, sheetPath;
};

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
        else
            return false;
    }
    // The digits need the font; without a destination there is nothing to do.
    return !options.fontPath.empty() && (!options.outDir.empty() || !options.sheetPath.empty());
}

void Generate(const Options& options)
{
    CGlyphRaster font(options.fontPath);
    PaintedPictures pictures = PaintPictures(font);
    if (!options.outDir.empty()) {
        WritePictures(options.outDir, pictures);
        WriteModels(options.outDir);
    }
    if (!options.sheetPath.empty())
        WritePng(options.sheetPath, MakeContactSheet(pictures, font));
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        fprintf(stderr,
                "usage: %s --font FONT.ttf [--out DIR] [--contact-sheet SHEET.png]\n"
                "       (at least one of --out and --contact-sheet)\n",
                argv[0]);
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
