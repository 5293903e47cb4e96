// Writes pictures as uncompressed 24-bit Windows BMP files.
#pragma once

#include "tools/assetgen/Image.h"

#include <cstdint>
#include <string>
#include <vector>

// The whole file: 54-byte header, then rows bottom row first, each pixel
// B,G,R, each row padded with zeros to a multiple of 4 bytes.
std::vector<uint8_t> EncodeBmp(const Image& image);

// Writes EncodeBmp(image) to `path`; throws std::runtime_error naming the
// file when it cannot be written.
void WriteBmp(const std::string& path, const Image& image);

// Writes bytes to a file; throws std::runtime_error naming the file on failure.
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
