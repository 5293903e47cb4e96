// cue.3ds: a turned cue, tip at the model origin, butt along +y.
#pragma once

#include <string>

// The cue's texture is the cue picture itself.
constexpr const char* kCueTexture = "data/cue.bmp";

// Builds the cue and writes it to `path`; throws std::runtime_error on failure.
void WriteCueModel(const std::string& path);
