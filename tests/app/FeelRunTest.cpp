// The shot feel through the real binary under X with SDL's dummy audio: sound, spin keys, F1, the strike's spin, P's replay.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/app/PlayModeRun.h"

namespace {

class FeelRun : public CPlayModeRun {};

TEST_F(FeelRun, PracticeWithDummyAudioSpinsHelpsAndReplaysBackToTheSameTable)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const bool launched = Launch("Mode=1\n");
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_TRUE(launched);
    ASSERT_TRUE(WaitFor("practice: racked", 1)) << Log();
    // The device opens just after the rack is logged: wait for it, as a slow
    // (sanitizer) build may not have got there yet.
    EXPECT_TRUE(WaitFor("sound on, volume 0.70", 1))
        << "the dummy device opens at the practice volume\n"
        << Errors();
    EXPECT_EQ(Count("sound on, volume"), 1) << Log();
    RunCommand("xdotool mousedown 1");
    WaitFrames();
    RunCommand("xdotool mouseup 1");
    ASSERT_TRUE(WaitFor("practice: cue ball placed", 1)) << Log();
    WaitFrames();

    // F1 lays the controls over the table; again takes them away. Counted in
    // the column of key names, left of the table's white cue ball.
    const auto helpPixels = [](const CImage& i) { return i.Count(35, 45, 300, 360, OverlayText); };
    Key("F1");
    ASSERT_TRUE(WaitFor("help shown", 1));
    const int shown = helpPixels(ShotWhen([&](const CImage& i) { return helpPixels(i) > 1200; }));
    EXPECT_GT(shown, 1200) << "the help text";
    Key("F1");
    ASSERT_TRUE(WaitFor("help hidden", 1));
    EXPECT_LT(helpPixels(ShotWhen([&](const CImage& i) { return helpPixels(i) < shown / 5; })),
              shown / 5);

    // Three presses down and one too many to the right of the limit: draw
    // with side, clamped to half a radius.
    for (const char* k : {"Down", "Down", "Down", "Right", "Right", "Right", "Right", "Right"})
        Key(k);
    ASSERT_TRUE(WaitFor("strike point side 0.40 top -0.30", 1)) << Log();
    ASSERT_TRUE(WaitFor("strike point side 0.43 top -0.26", 1)) << "pulled back onto the limit\n"
                                                                << Log();

    // The break, with that strike point: motion in the frame of the release would be lost.
    const int aims = Count("practice: aiming");
    RunCommand("xdotool mousedown 1");
    ASSERT_TRUE(WaitFor("practice: aiming", aims + 1)) << Log();
    for (int i = 0; i < 8; ++i)
        RunCommand("xdotool mousemove_relative 0 10 sleep 0.05");
    WaitFrames();
    RunCommand("xdotool mouseup 1");
    ASSERT_TRUE(WaitFor("practice: shot 1", 1)) << Log();
    // The cue ball's spin right after the strike, as the game reports it from
    // its live balls: ω = r × J / I. The draw part turns the ball backwards,
    // about the horizontal axis to the right of the shot (v × up); the tip
    // right of centre pushes that side on first, turning the ball
    // anticlockwise seen from above (+z).
    const std::string log = Log();
    const size_t at = log.find("practice: strike speed");
    ASSERT_NE(at, std::string::npos) << log;
    float speed = 0, side = 0, top = 0, wx = 0, wy = 0, wz = 0, vx = 0, vy = 0;
    ASSERT_EQ(sscanf(log.c_str() + at, "practice: strike speed %f side %f top %f spin %f %f %f velocity %f %f", &speed,
                     &side, &top, &wx, &wy, &wz, &vx, &vy),
              8)
        << log.substr(at);
    // (0.5, −0.3) pulled back along its direction onto the half-radius limit.
    EXPECT_NEAR(std::hypot(side, top), 0.5f, 0.002f);
    EXPECT_NEAR(side / top, 0.5f / -0.3f, 0.01f);
    ASSERT_GT(speed, 0.5f); // 80 pixels of draw: well past the softest shot's 0.3 m/s
    const float rightX = vy / speed, rightY = -vx / speed; // v × up, unit
    const float draw = wx * rightX + wy * rightY;
    // Each part: offset × R × m·v / (0.4 m R²) = offset × v / (0.4 R), R = 0.05 m.
    EXPECT_NEAR(draw, -top * speed / (0.4f * 0.05f), 0.02f * std::fabs(draw)) << "draw";
    EXPECT_NEAR(wz, side * speed / (0.4f * 0.05f), 0.02f * std::fabs(wz)) << "right side";

    ASSERT_TRUE(WaitFor("practice: shot over", 1, 2 * Patience)) << Log();
    // The camera's glide to the cue ball settles, and the last creeping balls
    // (under 1 mm/s counts as still) stop.
    const CImage rest = ShotAtRest(60);

    // P replays the break, then the live table is back as it was.
    const auto changed = [&rest](const CImage& i) { return i.Differences(rest, 0, 20, 800, 600); };
    Key("p");
    ASSERT_TRUE(WaitFor("practice: replay", 1)) << Log();
    EXPECT_GT(changed(ShotWhen([&](const CImage& i) { return changed(i) > 2000; })), 2000)
        << "the replay shows the shot, not the table at rest";
    ASSERT_TRUE(WaitFor("practice: replay over", 1, 2 * Patience)) << Log();
    // A ball a few millimetres out of place changes hundreds of pixels; the
    // camera's last creep back to the cue ball (a frame or two on a fast
    // build, more on a slow one) changes a few edges.
    EXPECT_LT(changed(ShotWhen([&](const CImage& i) { return changed(i) < 100; })), 100)
        << "the table after the replay is the one before";
    // A shot can follow the replay as usual.
    Key("F1");
    Key("F1");

    EXPECT_EQ(Quit(), 0) << Errors();
    EXPECT_EQ(Errors().find("no sound"), std::string::npos) << Errors();
}

} // namespace
