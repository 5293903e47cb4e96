// Test support: an SDL OpenGL window that gives tests a current GL context.
#pragma once

#include <gtest/gtest.h>

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

// Reads one pixel of the back buffer (window pixels, origin bottom left).
Rgb ReadPixel(int x, int y);
