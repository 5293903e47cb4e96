// The menu's rows as data (layout, hit test, values) and the command line's parsing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/MenuScreen.h"

namespace {

TEST(Menu, EachRowIsHitAtItsMiddleAndNotBetweenRowsOrBesideThem)
{
    for (const auto& [w, h] : {std::pair<int, int>{800, 600}, {1920, 1080}}) {
        const std::vector<MenuRow> rows = MenuRows(MenuChoices(), w, h);
        ASSERT_EQ(rows.size(), 12u);
        for (size_t i = 0; i < rows.size(); ++i) {
            const MenuRow& r = rows[i];
            EXPECT_EQ(MenuRowAt(rows, r.x + r.w / 2, r.y + r.h / 2), static_cast<int>(i)) << r.text;
            EXPECT_EQ(MenuRowAt(rows, r.x - 1.0f, r.y + r.h / 2), -1) << "left of " << r.text;
            if (i > 0) { // the gap under the row above
                EXPECT_EQ(MenuRowAt(rows, r.x + r.w / 2, r.y + r.h + 1.0f), -1)
                    << "above " << r.text;
            }
            EXPECT_GE(r.y, 0.0f);
            EXPECT_LE(r.y + r.h, static_cast<float>(h));
        }
        EXPECT_EQ(rows.front().kind, MenuRow::Resume);
        EXPECT_EQ(rows.back().kind, MenuRow::Quit);
    }
}

TEST(Menu, SettingRowsShowTheSessionsChoices)
{
    MenuChoices c;
    c.opponent = 3;
    c.aimGuide = 0;
    c.volume = 0.3f;
    std::string all;
    for (const MenuRow& r : MenuRows(c, 800, 600))
        all += r.text + "|";
    EXPECT_NE(all.find("Opponent: the computer, hard|"), std::string::npos) << all;
    EXPECT_NE(all.find("Aiming guide: off|"), std::string::npos) << all;
    EXPECT_NE(all.find("Volume: 30%|"), std::string::npos) << all;
}

// In a network game the rows that would change the game give way to Leave;
// otherwise Host and Join are there, with the port and the address as typed.
TEST(Menu, NetworkRowsFollowTheGameOnAndTheTyping)
{
    MenuChoices c;
    c.netMode = 3;
    c.netPort = 4000;
    c.joinAddress = "192.0.2.7:4000";
    std::string all;
    for (const MenuRow& r : MenuRows(c, 800, 600))
        all += r.text + "|";
    EXPECT_NE(all.find("Host a game: 9-ball|Port: 4000|Join a game: 192.0.2.7:4000|"),
              std::string::npos)
        << all;
    EXPECT_EQ(all.find("Leave"), std::string::npos) << all;
    c.editing = MenuRow::JoinGame;
    c.typing = "pool.exa";
    all.clear();
    for (const MenuRow& r : MenuRows(c, 800, 600))
        all += r.text + "|";
    EXPECT_NE(all.find("Join a game: pool.exa_|"), std::string::npos) << all;
    c.editing = -1;
    c.network = true;
    std::vector<MenuRow::Kind> kinds;
    for (const MenuRow& r : MenuRows(c, 800, 600))
        kinds.push_back(r.kind);
    EXPECT_EQ(kinds, (std::vector<MenuRow::Kind>{MenuRow::Resume, MenuRow::Leave, MenuRow::AimGuide,
                                                 MenuRow::Volume, MenuRow::Quit}));
}

TEST(CommandLine, OptionsParseAndAnythingElseIsRefusedWithItsReason)
{
    auto parse = [](std::vector<const char*> args, CommandLine& out, std::string& error) {
        args.insert(args.begin(), "baizeline");
        return ParseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()), out,
                                error);
    };
    CommandLine c;
    std::string error;
    ASSERT_TRUE(parse({"--menu", "--mode", "2", "--opponent", "3"}, c, error)) << error;
    EXPECT_TRUE(c.menu);
    EXPECT_EQ(c.mode, 2);
    EXPECT_EQ(c.opponent, 3);
    CommandLine none;
    ASSERT_TRUE(parse({}, none, error));
    EXPECT_EQ(none.mode, -1);
    EXPECT_FALSE(none.menu);
    CommandLine host;
    ASSERT_TRUE(parse({"--host"}, host, error)) << error;
    EXPECT_EQ(host.host, 27960);
    ASSERT_TRUE(parse({"--host", "4000", "--mode", "3"}, host, error)) << error;
    EXPECT_EQ(host.host, 4000);
    EXPECT_EQ(host.mode, 3);
    CommandLine join;
    ASSERT_TRUE(parse({"--join", "127.0.0.1:4000"}, join, error)) << error;
    EXPECT_EQ(join.join, "127.0.0.1:4000");
    EXPECT_EQ(join.host, 0);
    for (const std::vector<const char*>& bad :
         std::vector<std::vector<const char*>>{{"--host", "0"},
                                               {"--host", "70000"},
                                               {"--join"},
                                               {"--join", "host:x"},
                                               {"--host", "--join", "a"},
                                               {"--mode"},
                                               {"--mode", "4"},
                                               {"--mode", "-1"},
                                               {"--mode", "22"},
                                               {"--opponent", "x"},
                                               {"--Menu"},
                                               {"2"}}) {
        CommandLine out;
        error.clear();
        EXPECT_FALSE(parse(bad, out, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
