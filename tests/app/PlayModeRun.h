// CPlayModeRun: a fixture that runs the real game in a play mode under X and reads its log and window.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>
#include <thread>

#include "tests/support/ChildProcess.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"

inline void Pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The overlay font's white text, as the window shows it.
inline bool OverlayText(const Rgb& c)
{
    return c.r > 180 && c.g > 180 && c.b > 90;
}

// The game runs in a scratch folder of its own: game.cfg from the test, a link
// to the built data/, standard output and error in files. The play modes log
// each step on standard output, and the tests wait on those lines rather than
// on fixed pauses, so slow frames (the sanitizer build) do not race them.
class CPlayModeRun : public ::testing::Test {
protected:
    // Writes an 800x600 game.cfg with the `[Game]` keys given (e.g. "Mode=1\n"),
    // starts the game and waits for its window; false when any step failed.
    bool Launch(const std::string& gameKeys, const std::vector<std::string>& args = {})
    {
        dir.Write("game.cfg", "[Display]\nWidth=800\nHeight=600\n[Game]\n" + gameKeys);
        const std::string data = std::string(BAIZELINE_RUN_DIR) + "/data";
        if (symlink(data.c_str(), (dir.Path() + "/data").c_str()) != 0)
            return false;
        std::vector<std::string> command = {BAIZELINE_BINARY};
        command.insert(command.end(), args.begin(), args.end());
        if (!game.Start(command, dir.Path(), dir.Path() + "/stdout.txt",
                        dir.Path() + "/stderr.txt"))
            return false;
        id = WaitForWindow("^Baizeline is a work name", 20.0);
        return !id.empty();
    }
    std::string Log() const { return ReadFile(dir.Path() + "/stdout.txt"); }
    std::string Errors() const { return ReadFile(dir.Path() + "/stderr.txt"); }
    int Count(const std::string& line) const { return CountInFile(dir.Path() + "/stdout.txt", line); }
    // Waits up to `seconds` for `line` to have been logged `times` times.
    bool WaitFor(const std::string& line, int times, double seconds)
    {
        return WaitForInFile(dir.Path() + "/stdout.txt", line, times, seconds);
    }
    CImage Shot()
    {
        CImage image;
        EXPECT_TRUE(CaptureWindow(id, image) && image.width == 800 && image.height == 600);
        return image;
    }
    // A tap the game sees as one press, then time for a frame or two to show it.
    void Key(const char* key)
    {
        RunCommand(std::string("xdotool keydown ") + key + " sleep 0.1 keyup " + key);
        Pause(0.4);
    }

    // The play modes quit from the menu: Escape opens it, Up wraps round to
    // Quit, Return picks it. The game's exit status, or −1 when it did not end.
    int QuitThroughMenu()
    {
        const int opened = Count("menu: open");
        Key("Escape");
        if (!WaitFor("menu: open", opened + 1, 15.0))
            return -1;
        Key("Up");
        Key("Return");
        int status = -1;
        return game.Wait(30.0, &status) ? status : -1;
    }

    CTempDir dir;
    CChildProcess game;
    std::string id; // the game window's X id
};
