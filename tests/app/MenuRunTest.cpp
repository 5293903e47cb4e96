// The menu and the command line through the real binary under X.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/MenuScreen.h"
#include "tests/app/PlayModeRun.h"

namespace {

class MenuRun : public CPlayModeRun {
protected:
    // The panel's dark green (13, 34, 20) down the menu's left margin.
    int PanelPixels()
    {
        return Shot().Count(200, 200, 235, 400, [](const Rgb& c) {
            return std::abs(c.r - 13) <= 5 && std::abs(c.g - 34) <= 6 && std::abs(c.b - 20) <= 5;
        });
    }
    bool Running()
    {
        int status = -1;
        return !game.Wait(0.3, &status);
    }
};

TEST_F(MenuRun, FreeTableOpensItWithMResumesWithEscapeAndStartsEightBallAgainstTheComputer)
{
    ASSERT_TRUE(Launch(""));
    WaitFrames(10);
    EXPECT_EQ(Count("menu:"), 0) << "the free table shows no menu until M";
    EXPECT_LT(PanelPixels(), 500);

    Key("m");
    ASSERT_TRUE(WaitFor("menu: open", 1)) << Log();
    WaitFrames();
    EXPECT_GT(PanelPixels(), 5000) << "the menu's panel on screen";
    Key("Escape");
    ASSERT_TRUE(WaitFor("menu: resume", 1)) << Log();
    EXPECT_TRUE(Running()) << "Escape in the menu resumes, it does not quit";
    WaitFrames();
    EXPECT_LT(PanelPixels(), 500) << "the menu gone";

    // Rows: Resume, Free table, Practice, 8-ball, 9-ball, Opponent, ...
    Key("m");
    ASSERT_TRUE(WaitFor("menu: open", 2)) << Log();
    for (int i = 0; i < 5; ++i)
        Key("Down");
    Key("Right");
    ASSERT_TRUE(WaitFor("menu: opponent the computer, easy", 1)) << Log();
    Key("Up");
    Key("Up");
    Key("Return");
    ASSERT_TRUE(WaitFor("mode 8-ball", 1)) << Log();
    EXPECT_TRUE(WaitFor("8-ball: racked, You to break, opponent the computer, easy", 1)) << Log();
    EXPECT_TRUE(Running());
    EXPECT_EQ(Quit(), 0) << Errors();
    EXPECT_EQ(Count("menu: quit"), 1) << Log();
}

TEST_F(MenuRun, DashDashMenuStartsThereAndAClickOnPracticeStartsIt)
{
    ASSERT_TRUE(Launch("", {"--menu"}));
    ASSERT_TRUE(WaitFor("menu: open", 1)) << Log();
    WaitFrames();
    const std::vector<MenuRow> rows = MenuRows(MenuChoices(), 800, 600);
    const MenuRow& practice = rows.at(2);
    ASSERT_EQ(practice.kind, MenuRow::Practice);
    // The menu lets the pointer go: it points in window pixels, y down.
    const int x = static_cast<int>(practice.x + practice.w / 2),
              y = 600 - static_cast<int>(practice.y + practice.h / 2);
    RunCommand("xdotool mousemove --window " + id + " " + std::to_string(x) + " " +
               std::to_string(y) + " sleep 0.3 click 1");
    ASSERT_TRUE(WaitFor("mode practice", 1)) << Log();
    EXPECT_TRUE(WaitFor("practice: racked", 1)) << Log();
    EXPECT_EQ(Quit(), 0) << Errors();
}

TEST_F(MenuRun, ModeAndOpponentOptionsStartNineBallAgainstTheMediumComputer)
{
    ASSERT_TRUE(Launch("Mode=1\nOpponent=0\n", {"--mode", "3", "--opponent", "2"}));
    ASSERT_TRUE(WaitFor("9-ball: racked, You to break, opponent the computer, medium", 1)) << Log();
    EXPECT_EQ(Count("practice: racked"), 0) << "the options win over game.cfg";
    EXPECT_EQ(Quit(), 0) << Errors();
}

TEST_F(MenuRun, UnknownOrBadArgumentsPrintTheUsageOnOneLineAndExitWithTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--frobnicate"}, {"--mode", "7"}, {"--opponent"}, {"menu"}}) {
        std::vector<std::string> command = {BAIZELINE_BINARY};
        command.insert(command.end(), args.begin(), args.end());
        EXPECT_EQ(RunToEnd(command, dir.Path(), Patience), 2) << args[0];
        const std::string err = ReadFile(dir.Path() + "/err.txt");
        EXPECT_EQ(err.rfind("usage: baizeline ", 0), 0u) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line: " << err;
    }
}

} // namespace
