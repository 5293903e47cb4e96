// Test support: a screenshot of an X window, read into memory for pixel checks.
#pragma once

#include <string>
#include <vector>

#include "tests/support/GlWindow.h"

struct CImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // rows top first, 3 bytes a pixel

    // Pixel at (x, y), y counted from the top.
    Rgb At(int x, int y) const;
    // Pixels inside the rectangle whose colour satisfies `test`.
    template <class Test> int Count(int x0, int y0, int x1, int y1, Test test) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += test(At(x, y)) ? 1 : 0;
        return n;
    }
    // Pixels of the rectangle that differ from `other` by more than `tolerance` in a channel.
    int Differences(const CImage& other, int x0, int y0, int x1, int y1, int tolerance = 24) const;
};

// Captures the window with the given X id (ImageMagick's import). False on failure.
bool CaptureWindow(const std::string& windowId, CImage& image);
