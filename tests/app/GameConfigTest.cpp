// game.cfg into the application's settings.
#include <gtest/gtest.h>

#include "app/Game.h"
#include "tests/support/TempDir.h"

namespace {

TEST(GameConfig, NoFileGivesTheDefaults)
{
    CTempDir dir;
    CWorkingDir cwd(dir.Path());
    CGame game;
    game.ReadIni();
    EXPECT_FALSE(game.fullScreen);
    EXPECT_EQ(game.width, 800);
    EXPECT_EQ(game.height, 600);
    EXPECT_EQ(game.bpp, 16);
    EXPECT_EQ(game.gamma, 0.0f);
    EXPECT_EQ(game.weariness, 0.0f);
    EXPECT_FALSE(game.debug);
}

TEST(GameConfig, EveryKeyReachesItsDestination)
{
    CTempDir dir;
    dir.Write("game.cfg", "[Display]\nFullScreen=1\nWidth=1024\nHeight=768\nBpp=32\n"
                          "Gamma=1.5\nWeariness=0.25\n[Misc]\nDebug=1\n");
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
    game.ReadIni();
    EXPECT_FALSE(game.fullScreen);
    EXPECT_EQ(game.width, 800);
    EXPECT_EQ(game.height, 600);
    EXPECT_EQ(game.bpp, 16);
    EXPECT_FALSE(game.debug);
}

} // namespace
