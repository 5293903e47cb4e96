// One picture showing all generated pictures side by side, labelled, for people.
#pragma once

#include "tools/assetgen/Image.h"

#include <string>
#include <utility>
#include <vector>

class CGlyphRaster;

// Lays `pictures` (name, picture) out in rows on a dark background, each under
// its name, shrinking any wider than 512 pixels.
Image MakeContactSheet(const std::vector<std::pair<std::string, Image>>& pictures,
                       const CGlyphRaster& font);
