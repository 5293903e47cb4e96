// Every file the generator writes into the game's data/ folder, and how.
#pragma once

#include "tools/assetgen/Image.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CGlyphRaster;

struct PictureAsset {
    std::string name; // file name inside data/
    int width, height;
    std::function<Image(const CGlyphRaster&)> paint;
};

// The pictures, in the order the game loads its own (room, balls, cue), then
// those the table's materials name.
const std::vector<PictureAsset>& Pictures();

// The model files, built with lib3ds.
const std::vector<std::string>& ModelNames();

using PaintedPictures = std::vector<std::pair<std::string, Image>>;

// Paints every picture of Pictures(), in order, digits from `font`.
PaintedPictures PaintPictures(const CGlyphRaster& font);

// Writes painted pictures as BMP files into `dataDir` (which must exist).
void WritePictures(const std::string& dataDir, const PaintedPictures& pictures);

// Builds every model of ModelNames() into `dataDir`.
void WriteModels(const std::string& dataDir);
