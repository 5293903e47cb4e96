// pooltable.3ds: bed, cushions, rails with sights, pockets, body and legs,
// lit by lights that the game turns into OpenGL lights.
#pragma once

#include "physics/TableGeometry.h"
#include "tools/assetgen/Colour.h"

#include <string>

// Texture paths the table's materials name (from the game's working directory).
constexpr const char* kClothTexture = "data/cloth.bmp";
constexpr const char* kPlayClothTexture = "data/cloth_play.bmp"; // pooltable_play.3ds
constexpr const char* kRailTexture = "data/rail.bmp";
constexpr const char* kPocketTexture = "data/pocket.bmp";
constexpr const char* kSightTexture = "data/sight.bmp";

// Diffuse of the last material drawn of each model, which the room inherits.
constexpr Colour kRoomDiffuse{0.45f, 0.45f, 0.45f};

// Builds the table and writes it to `path`; throws std::runtime_error on failure.
// The first form is the free table's model (pooltable.3ds); the second cuts the
// cushions back at the pockets by `cut` (PlayTableCut: pooltable_play.3ds).
void WriteTableModel(const std::string& path);
void WriteTableModel(const std::string& path, const PocketCut& cut,
                     const char* clothTexture = kClothTexture);
