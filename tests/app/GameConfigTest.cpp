// game.cfg into the application's settings.
#include <gtest/gtest.h>

#include "app/Game.h"
#include "physics/World.h"
#include "scene/Ball.h"
#include "tests/support/TempDir.h"

namespace {

// What a game reads when game.cfg says nothing: the shipped file must say the same.
void ExpectDefaults(const CGame& game)
{
    EXPECT_FALSE(game.fullScreen);
    EXPECT_EQ(game.width, 800);
    EXPECT_EQ(game.height, 600);
    EXPECT_EQ(game.bpp, 16);
    EXPECT_EQ(game.gamma, 0.0f);
    EXPECT_EQ(game.weariness, 0.0f);
    EXPECT_FALSE(game.debug);
    EXPECT_EQ(BallQuality, 256.0f);
    EXPECT_EQ(Gravity, 9.81f);
    EXPECT_EQ(Viscosity, static_cast<float>(1.85e-05));
    EXPECT_EQ(game.camera.mode, 0);
    EXPECT_EQ(game.camera.pitchAngle, -0.2f);
}

TEST(GameConfig, NoFileGivesTheDefaults)
{
    CTempDir dir;
    CWorkingDir cwd(dir.Path());
    CGame game;
    BallQuality = Gravity = Viscosity = -1.0f; // so that the defaults must be written
    game.ReadIni();
    ExpectDefaults(game);
}

TEST(GameConfig, EveryKeyReachesItsDestination)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Display]\nFullScreen=1\nWidth=1024\nHeight=768\nBpp=32\n"
                          "Gamma=1.5\nWeariness=0.25\n[Rendering]\nBallQuality=64\n"
                          "[Physics]\nGravity=1.62\nViscosity=0.001\n[Misc]\nDebug=1\n"
                          "CameraMode=1\n");
    CWorkingDir cwd(dir.Path());
    CGame game;
    game.ReadIni();
    EXPECT_TRUE(game.fullScreen);
    EXPECT_EQ(game.width, 1024);
    EXPECT_EQ(game.height, 768);
    EXPECT_EQ(game.bpp, 32);
    EXPECT_EQ(game.gamma, 1.5f);
    EXPECT_EQ(game.weariness, 0.25f);
    EXPECT_TRUE(game.debug);
    EXPECT_EQ(BallQuality, 64.0f);
    EXPECT_EQ(Gravity, 1.62f);
    EXPECT_EQ(Viscosity, 0.001f);
    EXPECT_EQ(game.camera.mode, 1);
    EXPECT_EQ(game.camera.pitchAngle, 0.0f); // the free camera starts level
}

TEST(GameConfig, AnyNonZeroCameraModeStartsLevelAndViscosityIsNarrowedToFloat)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Physics]\nViscosity=1.85e-05\n[Misc]\nCameraMode=7\n");
    CWorkingDir cwd(dir.Path());
    CGame game;
    game.camera.pitchAngle = 0.5f;
    game.ReadIni();
    EXPECT_EQ(game.camera.mode, 7);
    EXPECT_EQ(game.camera.pitchAngle, 0.0f);
    // The nearest float, not the double: the two differ.
    EXPECT_EQ(Viscosity, static_cast<float>(1.85e-05));
    EXPECT_NE(static_cast<double>(Viscosity), 1.85e-05);
}

TEST(GameConfig, RulesModeAndOpponentAreReadAndOutOfRangeValuesFallBackToFreeTableAndASecondPlayer)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Game]\nMode=3\nOpponent=2\n");
    CWorkingDir cwd(dir.Path());
    CGame game;
    game.ReadIni();
    EXPECT_EQ(game.settings.mode, ModeNineBall);
    EXPECT_EQ(game.settings.opponent, 2);

    dir.Write("game.cfg", "[Game]\nMode=4\nOpponent=4\n");
    game.ReadIni();
    EXPECT_EQ(game.settings.mode, ModeFreeTable);
    EXPECT_EQ(game.settings.opponent, 0);
    dir.Write("game.cfg", "[Game]\nMode=2\nOpponent=-1\n");
    game.ReadIni();
    EXPECT_EQ(game.settings.mode, ModeEightBall);
    EXPECT_EQ(game.settings.opponent, 0);
}

// Finite as doubles, infinite as the floats the game keeps: each must fall back
// as a word would, not reach the physics as an infinity or a NaN.
TEST(GameConfig, NumbersBeyondFloatsRangeTakeTheDefaultAndTheLargestFloatIsKept)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Display]\nGamma=1e40\nWeariness=-1e39\n[Rendering]\n"
                          "BallQuality=-1e39\n[Physics]\nGravity=1e39\nViscosity=-1e39\n");
    CWorkingDir cwd(dir.Path());
    CGame game;
    BallQuality = Gravity = Viscosity = -1.0f; // so that the defaults must be written
    game.ReadIni();
    ExpectDefaults(game);

    dir.Write("game.cfg", "[Physics]\nGravity=3.4028234663852886e38\nViscosity=-3.4e38\n");
    game.ReadIni();
    EXPECT_EQ(Gravity, 3.4028234663852886e38f); // the largest float is still a float
    EXPECT_EQ(Viscosity, -3.4e38f);
}

TEST(GameConfig, WordsForBooleansGiveTheDefault)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Display]\nFullScreen=true\n[Misc]\nDebug=yes\n");
    CWorkingDir cwd(dir.Path());
    CGame game;
    game.ReadIni();
    EXPECT_FALSE(game.fullScreen);
    EXPECT_FALSE(game.debug);
}

TEST(GameConfig, ShippedConfigurationHoldsTheDefaults)
{
    CWorkingDir cwd(std::string(BAIZELINE_SOURCE_DIR) + "/data");
    CGame game;
    BallQuality = Gravity = Viscosity = -1.0f; // so that the file's values must be written
    game.ReadIni();
    ExpectDefaults(game);
}

} // namespace
