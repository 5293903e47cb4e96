// Fuzz target: arbitrary bytes as the overlay font, loaded through FreeType and printed under a real GL context.
#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "tests/fuzz/FuzzSupport.h"
#include "text/FreeFont.h"

static std::string path;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    OpenFuzzWindow("fuzz_font");
    path = FuzzInputPath("fuzz-font", ".ttf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteFuzzInput(path, data, size))
        return 0;
    CFreeFont font;
    try {
        font.Load(path.c_str(), 10);
        // Every code the font has a list for, over two lines, as the overlays print.
        char all[CFreeFont::GlyphCount];
        for (int c = 1; c < CFreeFont::GlyphCount; ++c)
            all[c - 1] = static_cast<char>(c);
        all[CFreeFont::GlyphCount - 1] = '\0';
        font.Print(0.0f, 50.0f, "%s", all);
        font.Print(0.0f, 30.0f, "%.1f\nLights = %i ", 59.9, 4);
        glFinish();
    } catch (const std::runtime_error&) {
        // Refusing a damaged font is the expected outcome.
    }
    font.Clean();
    return 0;
}
