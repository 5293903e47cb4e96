// Test support: window screenshots through ImageMagick, read back as binary PPM.
#include "tests/support/Screenshot.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tests/support/ChildProcess.h"

Rgb CImage::At(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
}

int CImage::Differences(const CImage& other, int x0, int y0, int x1, int y1, int tolerance) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb a = At(x, y), b = other.At(x, y);
            n += std::abs(a.r - b.r) > tolerance || std::abs(a.g - b.g) > tolerance ||
                 std::abs(a.b - b.b) > tolerance;
        }
    return n;
}

// Reads a binary PPM (P6, maxval 255). False when the file is not one.
static bool ReadPpm(const std::string& path, CImage& image)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> image.width >> image.height >> maxval;
    if (!in || magic != "P6" || maxval != 255 || image.width <= 0 || image.height <= 0)
        return false;
    in.get(); // the single blank after the header
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    return static_cast<size_t>(in.gcount()) == image.rgb.size();
}

bool CaptureWindow(const std::string& windowId, CImage& image)
{
    char path[64];
    snprintf(path, sizeof path, "/tmp/baizeline-shot-%d.ppm", static_cast<int>(getpid()));
    RunCommand("import -window " + windowId + " -depth 8 ppm:" + path + " 2>/dev/null");
    const bool ok = ReadPpm(path, image);
    unlink(path);
    return ok;
}
