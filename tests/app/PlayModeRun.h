// CPlayModeRun: a fixture that runs the real game in a play mode under X and reads its log and window.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>
#include <thread>

#include "tests/support/ChildProcess.h"
#include "tests/support/GameWatch.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"

// The overlay font's white text, as the window shows it.
inline bool OverlayText(const Rgb& c)
{
    return c.r > 180 && c.g > 180 && c.b > 90;
}

// The game runs in a scratch folder of its own: game.cfg from the test, a link
// to the built data/, standard output and error in files, and its frame
// counter. The play modes log each step on standard output; the tests wait on
// those lines, on frames drawn, or on the picture they check, never on a fixed
// pause, so slow frames (a sanitizer build on a loaded machine) do not race them.
class CPlayModeRun : public ::testing::Test {
protected:
    // How long any one wait may take before the test gives up on it.
    static constexpr double Patience = 120.0;

    // Writes a game.cfg of a `width` x `height` window (800x600 unless a test
    // sets them first) with the `[Game]` keys given (e.g. "Mode=1\n"), starts
    // the game with `args` and waits for its window at that size and its
    // first frame; false when any step failed.
    bool Launch(const std::string& gameKeys, const std::vector<std::string>& args = {})
    {
        dir.Write("game.cfg", "[Display]\nWidth=" + std::to_string(width) +
                                  "\nHeight=" + std::to_string(height) + "\n[Game]\n" + gameKeys);
        const std::string data = std::string(BAIZELINE_RUN_DIR) + "/data";
        if (symlink(data.c_str(), (dir.Path() + "/data").c_str()) != 0)
            return false;
        std::vector<std::string> command = {"/usr/bin/env", "BAIZELINE_FRAME_COUNTER=" + Frames(),
                                            BAIZELINE_BINARY};
        command.insert(command.end(), args.begin(), args.end());
        if (!game.Start(command, dir.Path(), dir.Path() + "/stdout.txt",
                        dir.Path() + "/stderr.txt"))
            return false;
        id = WaitForWindowOfSize("^Baizeline is a work name", width, height, Patience, &game);
        return !id.empty() && WaitForFrames(Frames(), 1, Patience, &game);
    }
    std::string Log() const { return ReadFile(dir.Path() + "/stdout.txt"); }
    std::string Errors() const { return ReadFile(dir.Path() + "/stderr.txt"); }
    std::string Frames() const { return dir.Path() + "/frames"; }
    int Count(const std::string& line) const { return CountInFile(dir.Path() + "/stdout.txt", line); }
    // Waits up to `seconds` for `line` to have been logged `times` times; gives
    // up at once when the game has ended.
    bool WaitFor(const std::string& line, int times, double seconds = Patience)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (Count(line) < times) {
            if (std::chrono::steady_clock::now() > deadline || !game.Running())
                return Count(line) >= times;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }
    // Waits until the game has presented `n` frames more than it had: input
    // sent before the call has been handled and drawn by then. (An event can
    // miss the poll of the frame under way, so it shows two frames on.)
    bool WaitFrames(uint64_t n = 3)
    {
        return WaitForFrames(Frames(), FramesPresented(Frames()) + n, Patience, &game);
    }
    CImage Shot()
    {
        CImage image;
        EXPECT_TRUE(CaptureWindow(id, image) && image.width == width && image.height == height);
        return image;
    }
    // Captures until `done(capture)` holds or Patience runs out; answers the last capture.
    template <class Done> CImage ShotWhen(Done done)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(Patience);
        CImage image = Shot();
        while (!done(image) && std::chrono::steady_clock::now() < deadline && WaitFrames(1))
            image = Shot();
        return image;
    }
    // The picture once the view has come to rest (the camera glides to the cue
    // ball after a shot, for as many frames as a slow build takes): two
    // captures `frames` frames apart alike below the frame rate. After
    // Patience, the last capture.
    CImage ShotAtRest(uint64_t frames = 30)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(Patience);
        CImage before = Shot();
        while (std::chrono::steady_clock::now() < deadline && WaitFrames(frames)) {
            CImage now = Shot();
            if (now.Differences(before, 0, 20, width, height) == 0)
                return now;
            before = now;
        }
        return before;
    }
    // A tap the game sees as one press, then the frames that show it.
    void Key(const char* key)
    {
        RunCommand(std::string("xdotool keydown ") + key + " sleep 0.1 keyup " + key);
        WaitFrames();
    }
    // The play modes quit from the menu: Escape opens it (pressed again while
    // a press is lost to a window still taking the keyboard), Up wraps round to
    // Quit, Return picks it. The game's exit status, or -1 when it did not end.
    int Quit()
    {
        const int opened = Count("menu: open");
        for (int press = 0; press < 5 && Count("menu: open") == opened; ++press) {
            RunCommand("xdotool keydown Escape sleep 0.1 keyup Escape");
            if (!WaitFrames(5) || !game.Running())
                break;
        }
        if (!WaitFor("menu: open", opened + 1))
            return -1;
        Key("Up");
        RunCommand("xdotool keydown Return sleep 0.1 keyup Return");
        int status = -1;
        return game.Wait(Patience, &status) ? status : -1;
    }

    CTempDir dir;
    CChildProcess game;
    std::string id; // the game window's X id
    int width = 800, height = 600; // the window's size
};
