// Two game processes under X, one --host and one --join 127.0.0.1: a break on one shows on the
// other.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/GameWatch.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"

namespace {

constexpr double Patience = 120.0;
// Two windows side by side on the 1024-pixel screen of make test's Xvfb.
constexpr int Width = 480, Height = 360;

// A UDP port free on the loopback address now (the system's pick).
int FreeUdpPort()
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) != 0)
        return 27960;
    close(s);
    return ntohs(a.sin_port);
}

// One game process in a scratch folder of its own, as CPlayModeRun runs one.
struct GameRun {
    CTempDir dir;
    CChildProcess game;
    std::string id;

    bool Launch(const std::vector<std::string>& args, const std::string& otherWindow)
    {
        dir.Write("game.cfg", "[Display]\nWidth=" + std::to_string(Width) +
                                  "\nHeight=" + std::to_string(Height) + "\n[Game]\n");
        const std::string data = std::string(BAIZELINE_RUN_DIR) + "/data";
        if (symlink(data.c_str(), (dir.Path() + "/data").c_str()) != 0)
            return false;
        std::vector<std::string> command = {"/usr/bin/env", "BAIZELINE_FRAME_COUNTER=" + Frames(),
                                            BAIZELINE_BINARY};
        command.insert(command.end(), args.begin(), args.end());
        if (!game.Start(command, dir.Path(), dir.Path() + "/stdout.txt",
                        dir.Path() + "/stderr.txt"))
            return false;
        // The window of this size that is not the other game's.
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(Patience);
        const std::string want = std::to_string(Width) + "x" + std::to_string(Height);
        while (id.empty() && std::chrono::steady_clock::now() < deadline && game.Running()) {
            std::istringstream ids(RunCommand(
                "xdotool search --onlyvisible --name '^Baizeline is a work name' 2>/dev/null"));
            std::string w;
            while (std::getline(ids, w))
                if (!w.empty() && w != otherWindow && WindowSize(w) == want)
                    id = w;
            if (id.empty())
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return !id.empty() && WaitForFrames(Frames(), 1, Patience, &game);
    }
    std::string Log() const { return ReadFile(dir.Path() + "/stdout.txt"); }
    std::string Errors() const { return ReadFile(dir.Path() + "/stderr.txt"); }
    std::string Frames() const { return dir.Path() + "/frames"; }
    int Count(const std::string& line) const
    {
        return CountInFile(dir.Path() + "/stdout.txt", line);
    }
    bool WaitFor(const std::string& line, int times = 1)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(Patience);
        while (Count(line) < times) {
            if (std::chrono::steady_clock::now() > deadline || !game.Running())
                return Count(line) >= times;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }
    bool WaitFrames(uint64_t n = 3)
    {
        return WaitForFrames(Frames(), FramesPresented(Frames()) + n, Patience, &game);
    }
    CImage Shot()
    {
        CImage image;
        EXPECT_TRUE(CaptureWindow(id, image) && image.width == Width && image.height == Height);
        return image;
    }
    // Two captures 30 frames apart alike below the HUD's lines: the camera has come to rest.
    CImage ShotAtRest()
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(Patience);
        CImage before = Shot();
        while (std::chrono::steady_clock::now() < deadline && WaitFrames(30)) {
            CImage now = Shot();
            if (now.Differences(before, 0, 100, Width, Height) == 0)
                return now;
            before = now;
        }
        return before;
    }
};

// The table between the HUD's panel (its lines wrap in a window this narrow)
// and the credits' panel: what both screens must agree on.
constexpr int TableTop = 170, TableBottom = 280;

TEST(NetRun, ABreakOnTheHostAppearsOnTheJoinersScreen)
{
    const std::string port = std::to_string(FreeUdpPort());
    GameRun host, joiner;
    ASSERT_TRUE(host.Launch({"--host", port}, "")) << host.Errors();
    ASSERT_TRUE(host.WaitFor("net: listening on ")) << host.Log();
    ASSERT_TRUE(joiner.Launch({"--join", "127.0.0.1:" + port}, host.id)) << joiner.Errors();
    RunCommand("xdotool windowmove " + joiner.id + " " + std::to_string(Width + 20) + " 0");
    ASSERT_TRUE(joiner.WaitFor("net: joined 8-ball")) << joiner.Log();
    ASSERT_TRUE(host.WaitFor("net: an opponent joined")) << host.Log();

    // The same rack on both screens before the break.
    const CImage hostBefore = host.ShotAtRest(), joinerBefore = joiner.ShotAtRest();
    const int area = Width * (TableBottom - TableTop);
    EXPECT_LT(hostBefore.Differences(joinerBefore, 0, TableTop, Width, TableBottom), area / 50)
        << "the racks differ on the two screens";

    // The host's turn holds its pointer: place the cue ball, draw the cue back, strike.
    RunCommand("xdotool click 1");
    ASSERT_TRUE(host.WaitFor("practice: cue ball placed")) << host.Log();
    // A frame sees the button up after the placing click before the next press aims.
    ASSERT_TRUE(host.WaitFrames(5));
    RunCommand("xdotool mousedown 1 sleep 0.3 mousemove_relative -- 0 60 sleep 0.2 "
               "mousemove_relative -- 0 60 sleep 0.2 mousemove_relative -- 0 60 sleep 0.3 "
               "mouseup 1");
    ASSERT_TRUE(host.WaitFor("practice: shot over")) << host.Log();
    ASSERT_TRUE(joiner.WaitFor("practice: shot over")) << joiner.Log();
    // The same strike line on both sides, bit for bit as logged.
    const std::string hostLog = host.Log(), joinerLog = joiner.Log();
    const std::size_t hs = hostLog.find("practice: strike speed"),
                      js = joinerLog.find("practice: strike speed");
    ASSERT_NE(hs, std::string::npos);
    ASSERT_NE(js, std::string::npos) << joinerLog;
    EXPECT_EQ(hostLog.substr(hs, hostLog.find('\n', hs) - hs),
              joinerLog.substr(js, joinerLog.find('\n', js) - js));

    // Both tables at rest alike: the same hash logged on both sides.
    ASSERT_TRUE(host.WaitFor("net: shot 1 at rest, table ")) << host.Log();
    ASSERT_TRUE(joiner.WaitFor("net: shot 1 at rest, table ")) << joiner.Log();
    const std::string hostRest = host.Log(), joinerRest = joiner.Log();
    const std::size_t hr = hostRest.find("net: shot 1 at rest"),
                      jr = joinerRest.find("net: shot 1 at rest");
    EXPECT_EQ(hostRest.substr(hr, hostRest.find('\n', hr) - hr),
              joinerRest.substr(jr, joinerRest.find('\n', jr) - jr));

    // The joiner's screen shows the break: its table is another picture now.
    // (The two screens are not compared after it: the side to play next turns
    // its own view as it takes the pointer.)
    const CImage joinerAfter = joiner.ShotAtRest();
    const int changed = joinerAfter.Differences(joinerBefore, 0, TableTop, Width, TableBottom);
    printf("table pixels differing: host and joiner before the break %d; the joiner's before "
           "and after it %d (of %d)\n",
           hostBefore.Differences(joinerBefore, 0, TableTop, Width, TableBottom), changed, area);
    EXPECT_GT(changed, area / 100) << "the joiner's table did not change with the break";

    // The host closes (as the window manager's close does): the joiner is told it left.
    host.game.Signal(SIGTERM);
    int status = -1;
    EXPECT_TRUE(host.game.Wait(Patience, &status)) << host.Log();
    EXPECT_EQ(status, 0) << host.Errors();
    EXPECT_TRUE(joiner.WaitFor("net: game over: the opponent left the game")) << joiner.Log();
    joiner.game.Signal(SIGTERM);
    joiner.game.Wait(Patience, &status);
    // What the joiner said of the game, for the record.
    std::istringstream lines(joiner.Log());
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("net: ", 0) == 0 || line.rfind("8-ball: ", 0) == 0)
            printf("joiner: %s\n", line.c_str());
}

} // namespace
