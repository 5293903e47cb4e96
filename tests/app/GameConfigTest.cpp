// game.cfg into the application's settings.
#include <gtest/gtest.h>

#include <sys/stat.h>

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
    EXPECT_EQ(game.maxFps, 0.0f); // uncapped
    EXPECT_FALSE(game.vsync);
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

TEST(GameConfig, FrameCapAndVSyncAreReadAndAnUnusableCapIsSaidAndLeftUncapped)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Display]\nMaxFps=144\nVSync=1\n");
    CWorkingDir cwd(dir.Path());
    CGame game;
    game.ReadIni();
    EXPECT_EQ(game.maxFps, 144.0f);
    EXPECT_TRUE(game.vsync);
    for (const char* bad : {"-30", "1e6", "fast"}) {
        dir.Write("game.cfg", std::string("[Display]\nMaxFps=") + bad + "\n");
        CGame other;
        testing::internal::CaptureStderr();
        other.ReadIni();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(other.maxFps, 0.0f) << bad;
        EXPECT_NE(said.find(std::string("[Display] MaxFps=") + bad), std::string::npos) << said;
        EXPECT_NE(said.find("using 0"), std::string::npos) << said;
    }
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

TEST(GameConfig, ShippedConfigurationHoldsTheDefaultsAndSaysNothing)
{
    CWorkingDir cwd(std::string(BAIZELINE_SOURCE_DIR) + "/data");
    CGame game;
    BallQuality = Gravity = Viscosity = -1.0f; // so that the file's values must be written
    testing::internal::CaptureStderr();
    game.ReadIni();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ExpectDefaults(game);
}

// One line a key, naming it, its value and what plays instead; past the
// types' ranges included (1e39 is no int and no float).
TEST(GameConfig, EveryUnusableSettingIsSaidOnceWithItsValueAndWhatIsUsedInstead)
{
    CTempDir dir;
    dir.Write("game.cfg",
              "[Display]\nFullScreen=yes\nWidth=abc\nHeight=1e10\nBpp=24.5\nGamma=12\nWeariness=1\n"
              "[Rendering]\nBallQuality=1e39\n[Physics]\nGravity=nan\nViscosity=1e999\n"
              "[Misc]\nDebug=on\nCameraMode=-1e39\n"
              "[Game]\nMode=1e39\nOpponent=-1\nAimGuide=7\n[Sound]\nVolume=2\n"
              "[Display]\nWidth=640\n"); // a later copy of a key is never read
    CWorkingDir cwd(dir.Path());
    CGame game;
    testing::internal::CaptureStderr();
    game.ReadIni();
    const std::string said = testing::internal::GetCapturedStderr();
    const char* const lines[] = {
        "game.cfg: [Display] FullScreen=yes is not a number (0 is off, anything else on); using "
        "0\n",
        "game.cfg: [Display] Width=abc is not a number; using 800\n",
        "game.cfg: [Display] Height=1e10 is beyond the range of a whole-number setting (about "
        "±2.1e9); using 600\n",
        "game.cfg: [Display] Bpp=24.5 is not a whole number; using 24\n",
        "game.cfg: [Display] Gamma=12 is not within 0 to 10; using 0\n",
        "game.cfg: [Display] Weariness=1 is not within 0 up to, not including, 1; using 0\n",
        "game.cfg: [Rendering] BallQuality=1e39 is beyond the range of a decimal setting (about "
        "±3.4e38); using 256\n",
        "game.cfg: [Physics] Gravity=nan is not a number; using 9.81\n",
        "game.cfg: [Physics] Viscosity=1e999 is beyond any number's range; using 1.85e-05\n",
        "game.cfg: [Misc] Debug=on is not a number (0 is off, anything else on); using 0\n",
        "game.cfg: [Misc] CameraMode=-1e39 is beyond the range of a whole-number setting (about "
        "±2.1e9); using 0\n",
        "game.cfg: [Game] Mode=1e39 is not a mode (0 free table, 1 practice, 2 8-ball, 3 9-ball); "
        "playing the "
        "free table\n",
        "game.cfg: [Game] Opponent=-1 is not 0 (a second player) or 1 to 3 (the computer, easy to "
        "hard); playing "
        "against a second player\n",
        "game.cfg: [Game] AimGuide=7 is not 0 (off), 1 (first contacts) or 2 (and paths); using "
        "the mode's default "
        "(1, or 0 against the hard computer)\n",
        "game.cfg: [Sound] Volume=2 is not within 0 (silent) to 1; using 1\n",
    };
    size_t expected = 0;
    for (const char* line : lines) {
        expected += std::string(line).size();
        const size_t at = said.find(line);
        EXPECT_NE(at, std::string::npos) << line << "\nin\n" << said;
        if (at != std::string::npos) {
            EXPECT_EQ(said.find(line, at + 1), std::string::npos) << "said twice: " << line;
        }
    }
    EXPECT_EQ(said.size(), expected) << "nothing else is said:\n" << said;

    EXPECT_FALSE(game.fullScreen);
    EXPECT_EQ(game.width, 800);
    EXPECT_EQ(game.height, 600);
    EXPECT_EQ(game.bpp, 24);
    EXPECT_EQ(game.gamma, 0.0f);
    EXPECT_EQ(game.weariness, 0.0f);
    EXPECT_EQ(BallQuality, 256.0f);
    EXPECT_EQ(Gravity, 9.81f);
    EXPECT_EQ(Viscosity, static_cast<float>(1.85e-05));
    EXPECT_FALSE(game.debug);
    EXPECT_EQ(game.camera.mode, 0);
    EXPECT_EQ(game.settings.mode, ModeFreeTable);
    EXPECT_EQ(game.settings.opponent, 0);
    EXPECT_EQ(game.settings.aimGuide, -1);
}

// A value of a binary file is shown short and printable.
TEST(GameConfig, AGarbledValueIsShownShortAndPrintable)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Display]\nWidth=\x1b[2J" + std::string(100, 'x') + "\n");
    CWorkingDir cwd(dir.Path());
    CGame game;
    testing::internal::CaptureStderr();
    game.ReadIni();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "game.cfg: [Display] Width=?[2J" +
                                                          std::string(36, 'x') +
                                                          "... is not a number; using 800\n");
}

TEST(GameConfig, AGameCfgThatIsAFolderIsSaidAndTheDefaultsPlay)
{
    CTempDir dir;
    ASSERT_EQ(mkdir((dir.Path() + "/game.cfg").c_str(), 0755), 0);
    CWorkingDir cwd(dir.Path());
    CGame game;
    BallQuality = Gravity = Viscosity = -1.0f; // so that the defaults must be written
    testing::internal::CaptureStderr();
    game.ReadIni();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "game.cfg is a directory, not a file; playing with the default settings\n");
    ExpectDefaults(game);
}

} // namespace
