// Writes pictures as PNG files for people to look at (contact sheets, renders, icons).
#pragma once

#include "tools/assetgen/Image.h"

#include <cstdint>
#include <string>
#include <vector>

// An RGB PNG whose image data is zlib-wrapped stored (uncompressed) deflate
// blocks: large files, but no compression library needed.
std::vector<uint8_t> EncodePng(const Image& image);

// Writes EncodePng(image) to `path`; throws std::runtime_error on failure.
void WritePng(const std::string& path, const Image& image);

// The same as RGBA (for icons): `alpha` holds width * height bytes, 0 clear to
// 255 opaque, top row first; a plane of another size throws std::invalid_argument.
std::vector<uint8_t> EncodePng(const Image& image, const std::vector<uint8_t>& alpha);
void WritePng(const std::string& path, const Image& image, const std::vector<uint8_t>& alpha);
