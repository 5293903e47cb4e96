// Fuzz target: arbitrary bytes as a BMP, through the texture loader under a real GL context.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "scene/Texture.h"
#include "tests/fuzz/FuzzSupport.h"

static std::string path;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    OpenFuzzWindow("fuzz_bmp");
    path = FuzzInputPath("fuzz-bmp", ".bmp");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteFuzzInput(path, data, size))
        return 0;
    try {
        CTexture texture(path);
    } catch (const std::runtime_error&) {
        // Refusing a damaged picture is the expected outcome.
    }
    return 0;
}
