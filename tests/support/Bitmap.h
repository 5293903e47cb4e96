// Test support: one-colour BMP pictures written through SDL's own writer.
#pragma once

#include <string>

// Writes a width × height picture of `depth` bits (8: palettised, 24, or 32
// with alpha) filled with one colour. Failing to make or save it is a fatal
// failure of the test; wrap the call in ASSERT_NO_FATAL_FAILURE to stop there.
void WriteBmp(const std::string& path, unsigned char r, unsigned char g, unsigned char b,
              int width = 8, int height = 8, int depth = 24);
