// Test support: an SDL OpenGL window that gives tests a current GL context.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

// Opens an OpenGL window of the given size unless one of that size is open.
// Reopens after something (CGame::Close, say) shut SDL down. False on failure.
bool EnsureGlWindow(int width = 320, int height = 240);

// Fixture for tests that need a current context.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureGlWindow()); }
};

struct Rgb {
    int r, g, b;
};

// Each channel within `tolerance` of (r, g, b): drivers round lit and blended
// colours by a step or two.
inline bool Near(const Rgb& c, int r, int g, int b, int tolerance = 3)
{
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance &&
           std::abs(c.b - b) <= tolerance;
}

// "(r, g, b)", for failure messages.
inline std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}

// Reads one pixel of the back buffer (window pixels, origin bottom left).
Rgb ReadPixel(int x, int y);
