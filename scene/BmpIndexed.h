// DecodeIndexedBmp: 1-, 4- and 8-bit BMPs, plain or RLE-compressed, through their own palette to R,G,B.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "scene/BmpCheck.h"

// `file` is the whole file (`size` bytes) whose header ReadBmpHeader accepted
// as `header`, with 1 to 8 bits a pixel. Fills `rgb` with R,G,B bytes, top row
// first, each row padded to a multiple of 4 bytes, and answers true; false with
// the reason in `why` when the pixels run short. An index past the palette
// shows black; pixels compressed data skips show palette entry 0.
bool DecodeIndexedBmp(const unsigned char* file, size_t size, const BmpHeader& header,
                      std::vector<unsigned char>& rgb, std::string& why);
