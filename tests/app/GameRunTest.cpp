// The game binary, black-box, under X: caption, Escape, the error box, no display.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "app/Game.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace {

// A working directory with its own game.cfg and the built assets.
class GameRun : public ::testing::Test {
protected:
    void Prepare(const std::string& config)
    {
        dir.Write("game.cfg", config);
        const std::string data = std::string(BAIZELINE_RUN_DIR) + "/data";
        ASSERT_EQ(symlink(data.c_str(), (dir.Path() + "/data").c_str()), 0);
    }
    bool Start(const std::vector<std::string>& prefix = {})
    {
        std::vector<std::string> argv = prefix;
        argv.push_back(BAIZELINE_BINARY);
        return game.Start(argv, dir.Path(), Out(), Err());
    }
    std::string Out() const { return dir.Path() + "/stdout.txt"; }
    std::string Err() const { return dir.Path() + "/stderr.txt"; }

    CTempDir dir;
    CChildProcess game;
};

TEST_F(GameRun, WindowCarriesTheCaptionAndEscapeEndsWithStatusZero)
{
    Prepare("[Display]\nWidth=640\nHeight=480\n");
    ASSERT_TRUE(Start());
    const std::string id = WaitForWindow("^Baizeline is a work name", 10.0);
    ASSERT_FALSE(id.empty()) << ReadFile(Err());
    EXPECT_EQ(RunCommand("xdotool getwindowname " + id), GameCaption);

    // The game reads held keys from SDL's key state when it handles the press,
    // so the key is held for a tenth of a second, as a finger would. A press
    // sent while the window is still taking the keyboard is lost: press again.
    int status = -1;
    bool ended = false;
    for (int press = 0; press < 20 && !ended; ++press) {
        RunCommand("xdotool keydown Escape sleep 0.1 keyup Escape");
        ended = game.Wait(0.5, &status);
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(status, 0) << ReadFile(Err());
}

TEST_F(GameRun, ImpossibleVideoModeShowsTheErrorBoxAndExitsWith255)
{
    Prepare("[Display]\nBpp=7\n");
    ASSERT_TRUE(Start());
    const std::string id = WaitForWindow("^Error$", 10.0);
    ASSERT_FALSE(id.empty()) << ReadFile(Err());

    // Still up until dismissed.
    int status = -1;
    EXPECT_FALSE(game.Wait(0.3, &status));
    RunCommand("xdotool key Return");
    ASSERT_TRUE(game.Wait(10.0, &status));
    EXPECT_EQ(status, 255);
    EXPECT_NE(ReadFile(Err()).find("Unable to set video mode"), std::string::npos);
}

TEST_F(GameRun, ErrorBoxClosesOnItsOkButton)
{
    Prepare("[Display]\nBpp=7\n");
    ASSERT_TRUE(Start());
    const std::string id = WaitForWindow("^Error$", 10.0);
    ASSERT_FALSE(id.empty());
    // The OK button sits centred at the bottom of the box, 16 px from its edge.
    const std::string geometry = RunCommand("xdotool getwindowgeometry --shell " + id);
    int w = 0, h = 0;
    ASSERT_EQ(sscanf(geometry.substr(geometry.find("WIDTH=")).c_str(), "WIDTH=%d\nHEIGHT=%d", &w,
                     &h),
              2);
    RunCommand("xdotool mousemove --window " + id + " " + std::to_string(w / 2) + " " +
               std::to_string(h - 16 - 13) + " click 1");
    int status = -1;
    ASSERT_TRUE(game.Wait(10.0, &status));
    EXPECT_EQ(status, 255);
}

TEST_F(GameRun, NoDisplayFailsWithAMessageNotACrash)
{
    Prepare("");
    ASSERT_TRUE(Start({"/usr/bin/env", "-u", "DISPLAY"}));
    int status = -1;
    ASSERT_TRUE(game.Wait(10.0, &status));
    EXPECT_EQ(status, 255);
    EXPECT_NE(ReadFile(Err()).find("Error: Unable to init SDL: no display"), std::string::npos)
        << ReadFile(Err());
}

TEST_F(GameRun, MeasuredRunEndsByItselfAfterTheFramesAskedFor)
{
    Prepare("[Display]\nWidth=320\nHeight=240\n");
    ASSERT_TRUE(Start({"/usr/bin/env", "BAIZELINE_FRAMES=5"}));
    int status = -1;
    ASSERT_TRUE(game.Wait(30.0, &status));
    EXPECT_EQ(status, 0) << ReadFile(Err());
    const std::string err = ReadFile(Err());
    EXPECT_NE(err.find("baizeline-timing: first frame presented at "), std::string::npos) << err;
    EXPECT_NE(err.find("baizeline-timing: 5 frames in "), std::string::npos) << err;
    EXPECT_NE(err.find("baizeline-timing: peak resident memory "), std::string::npos) << err;
}

} // namespace
