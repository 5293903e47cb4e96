// Test support: the global game with its data loaded once per process and its level rebuilt per test.
#pragma once

#include <gtest/gtest.h>

#include "app/Game.h"
#include "physics/Ball.h"
#include "tests/support/GlWindow.h"
#include "tests/support/TempDir.h"

// The scene objects reach the global Game (texture cache, debug switch,
// camera), so these tests use it: the pictures and the room load once, from the
// run directory; every test gets a freshly racked level and a resting physics.
class LevelFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(EnsureGlWindow(800, 600));
        cwd = new CWorkingDir(BAIZELINE_RUN_DIR);
        Game.ReadIni(); // the shipped defaults: 800 × 600, gravity, air

        Game.font.Load("data/debug_font.ttf", 10);
        Game.LoadData();
    }
    static void TearDownTestSuite()
    {
        delete cwd;
        cwd = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(EnsureGlWindow(800, 600));
        Game.objects.Clear();
        for (Ball& b : ball)
            b = Ball();
        Game.mouse = CMouse();
        Game.camera = CCamera();
        Game.camera.pitchAngle = -0.2f;
        Game.LoadLevel();
    }

    static CWorkingDir* cwd;
};

inline CWorkingDir* LevelFixture::cwd = nullptr;
