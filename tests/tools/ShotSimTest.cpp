// baizeline-sim, black-box: rest, the same output at any frame rate, bad arguments refused.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace {

// `text` without its lines starting "timing:", the wall-clock figures.
std::string WithoutTiming(const std::string& text)
{
    std::string kept;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(at, 7, "timing:") != 0)
            kept.append(text, at, end - at);
        at = end;
    }
    return kept;
}

// The frames a play-mode run handed to the table game, from its timing line
// ("... N frames of 1/F s ..."); -1 when there is none.
long FramesHandedIn(const std::string& text)
{
    const size_t at = text.find(" frames of 1/");
    if (at == std::string::npos)
        return -1;
    size_t start = at;
    while (start > 0 && isdigit(static_cast<unsigned char>(text[start - 1])))
        --start;
    return start < at ? std::stol(text.substr(start, at - start)) : -1;
}

class ShotSim : public ::testing::Test {
protected:
    // Runs the simulator with `args`; answers its exit status (-1 if still
    // running after `seconds`).
    int Run(std::vector<std::string> args, double seconds = 60.0)
    {
        args.insert(args.begin(), BAIZELINE_SIM);
        const int status = RunToEnd(args, dir.Path(), seconds);
        out = ReadFile(dir.Path() + "/out.txt");
        err = ReadFile(dir.Path() + "/err.txt");
        return status;
    }

    // Runs `args` with --frame-rate 60, then with each of `rates`: the output
    // without its timing lines (and the CSV and SVG written to shot.csv and
    // shot.svg when `files`) is 60's every time, while the frames handed to
    // the table game grow with the rate. Whole racks decide on a worker of
    // lower priority, slow on a busy machine: they get ten minutes a run.
    void ExpectSameAtRates(const std::vector<std::string>& args, const std::vector<double>& rates,
                           bool files)
    {
        SCOPED_TRACE(::testing::PrintToString(args));
        long frames = -1;
        auto run = [&](double rate) {
            std::vector<std::string> all = args;
            all.insert(all.end(), {"--frame-rate", std::to_string(rate)});
            EXPECT_EQ(Run(all, 600.0), 0) << err;
            frames = FramesHandedIn(out);
            std::string text = WithoutTiming(out);
            if (files)
                text += ReadFile(dir.Path() + "/shot.csv") + ReadFile(dir.Path() + "/shot.svg");
            return text;
        };
        const std::string reference = run(60);
        const long frames60 = frames;
        ASSERT_NE(reference.find("fingerprint "), std::string::npos) << out;
        ASSERT_GT(frames60, 50) << out;
        for (double rate : rates) {
            EXPECT_EQ(run(rate), reference) << rate << " frames a second";
            EXPECT_NEAR(static_cast<double>(frames) / frames60, rate / 60.0, 0.05 * rate / 60.0)
                << rate << " frames a second: " << frames << " frames, " << frames60 << " at 60";
        }
    }
    bool Says(const std::string& text) const { return out.find(text) != std::string::npos; }

    CTempDir dir;
    std::string out, err;
};

TEST_F(ShotSim, FullStrengthBreakComesToRestOnTheTableWithoutNaN)
{
    ASSERT_EQ(Run({"--csv", "break.csv", "--svg", "break.svg", "180", "150"}), 0) << err;
    EXPECT_TRUE(Says("at rest after ")) << out;
    EXPECT_TRUE(Says("fastest ball: cue ball")) << out;
    EXPECT_TRUE(Says("off the table: none")) << out;
    EXPECT_TRUE(Says("NaN: none")) << out;
    // The break scatters the rack: some object ball is sent off at speed.
    const size_t at = out.find("fastest object ball: ball ");
    ASSERT_NE(at, std::string::npos) << out;
    const double speed = std::stod(out.substr(out.find(" at ", at) + 4));
    EXPECT_GT(speed, 1.0);

    const std::string csv = ReadFile(dir.Path() + "/break.csv");
    EXPECT_EQ(csv.rfind("frame,time_s,ball,x_m,y_m,z_m\n", 0), 0u);
    // Frame 0 lists the cue ball on its spot, 0.5 m up the table.
    EXPECT_NE(csv.find("\n0,0.00000,0,0.500000,0.000000,0.050000\n"), std::string::npos);
    const std::string svg = ReadFile(dir.Path() + "/break.svg");
    EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
}

TEST_F(ShotSim, PracticeBreakReportsPotsWithTheirPocketsAndDrawsThePockets)
{
    ASSERT_EQ(Run({"--mode", "1", "--seed", "3", "--svg", "break.svg", "180", "150"}), 0) << err;
    EXPECT_TRUE(Says("off the table: none")) << out;
    EXPECT_TRUE(Says("first contact: ball ")) << out;
    // The tight rack opens: most object balls travel, several reach a cushion.
    const std::string moved = "object balls moved over 0.3 m: ";
    const size_t at = out.find(moved);
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_GE(std::stoi(out.substr(at + moved.size())), 10) << out;
    // Every pot names its ball and pocket; the summary is the same on a rerun.
    const size_t pot = out.find("potted: ");
    ASSERT_NE(pot, std::string::npos) << out;
    EXPECT_TRUE(out.compare(pot, 12, "potted: none") == 0 || out.find(" in pocket ", pot) != std::string::npos)
        << out;
    const std::string first = WithoutTiming(out);
    ASSERT_EQ(Run({"--mode", "1", "--seed", "3", "180", "150"}), 0) << err;
    EXPECT_EQ(WithoutTiming(out), first);
    // Six pocket holes and six cushions in the picture.
    const std::string svg = ReadFile(dir.Path() + "/break.svg");
    size_t polygons = 0;
    for (size_t p = svg.find("<polygon"); p != std::string::npos; p = svg.find("<polygon", p + 1))
        ++polygons;
    EXPECT_EQ(polygons, 6u);
    EXPECT_NE(svg.find("r=\"28.5\" fill=\"#000000\""), std::string::npos) << "a pocket hole of 0.095 m";
}

// The play modes are the game's frame loop over the table game's fixed steps:
// a practice shot with spin gives the same summary, fingerprint, CSV and SVG
// at 30, 97, 144 and 250 frames a second as at 60, and so does one cut
// mid-roll by the time limit, whatever step the last frame ran on.
TEST_F(ShotSim, PracticeShotIsTheSameAtAnyFrameRate)
{
    ExpectSameAtRates({"--mode", "1", "--seed", "4", "--spin", "0.3,-0.4", "--csv", "shot.csv",
                       "--svg", "shot.svg", "178", "140"},
                      {30, 97, 144, 250}, true);
    ExpectSameAtRates({"--mode", "1", "--max-seconds", "1.23", "180", "150"}, {30, 97, 250}, false);
}

// Whole racks, the computer on both sides, are the same at any frame rate:
// its thinking, placing, aiming and strike, the steps and the verdicts. The
// racks are short ones at the hard level (seeds picked for it), for the
// sanitizer build's sake: this 9-ball rack has the break, a foul and the
// computer's ball in hand, and the 9.
TEST_F(ShotSim, NineBallRackIsTheSameAtAnyFrameRate)
{
    ExpectSameAtRates({"--mode", "3", "--auto", "1", "--level", "3", "--seed", "30"},
                      {30, 97, 144, 250}, false);
}

// 8-ball's decisions cost several times 9-ball's: the two ends of the range.
TEST_F(ShotSim, EightBallRackIsTheSameAtAnyFrameRate)
{
    ExpectSameAtRates({"--mode", "2", "--auto", "1", "--level", "3", "--seed", "13"}, {30, 250},
                      false);
}

TEST_F(ShotSim, ShortTimeLimitReportsBallsStillMoving)
{
    ASSERT_EQ(Run({"--max-seconds", "0.5", "180", "150"}), 0) << err;
    EXPECT_TRUE(Says("still moving after 30 frames (0.50 s)")) << out;
}

TEST_F(ShotSim, BadArgumentsGiveUsageAndStatusTwo)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{},
          {"180"},
          {"180", "19"},
          {"180", "151"},
          {"east", "50"},
          {"180", "50x"},
          {"180", "50", "7"},
          {"--max-seconds", "0", "180", "50"},
          {"--csv"},
          {"--bogus", "180", "50"},
          {"nan", "50"},
          {"--seed", "-1", "180", "50"},
          {"--seed", "1.5", "--mode", "1", "180", "50"},
          // whole racks: --auto belongs to modes 2 and 3 and takes no shot
          {"--mode", "2"},
          {"--mode", "4", "--auto", "1"},
          {"--auto", "1", "180", "50"},
          {"--mode", "2", "--auto", "0"},
          {"--mode", "3", "--auto", "1", "180", "50"},
          {"--mode", "2", "--auto", "1", "--level", "4"},
          // the table game's frame rate: 30 to 250, and not for the free table's own frames
          {"--mode", "1", "--frame-rate", "29", "180", "50"},
          {"--mode", "1", "--frame-rate", "251", "180", "50"},
          {"--mode", "1", "--frame-rate", "fast", "180", "50"},
          {"--mode", "3", "--auto", "1", "--frame-rate", "nan"},
          {"--mode", "1", "180", "50", "--frame-rate"},
          {"--frame-rate", "60", "180", "50"}}) {
        EXPECT_EQ(Run(args), 2) << "arguments: " << ::testing::PrintToString(args);
        EXPECT_NE(err.find("baizeline-sim: "), std::string::npos) << err;
        EXPECT_TRUE(out.empty()) << out;
    }
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_TRUE(Says("usage: baizeline-sim")) << out;
}

TEST_F(ShotSim, UnwritableOutputIsReportedWithItsName)
{
    EXPECT_EQ(Run({"--csv", "no/such/dir/x.csv", "-90", "40"}), 1);
    EXPECT_NE(err.find("cannot open 'no/such/dir/x.csv'"), std::string::npos) << err;
    EXPECT_TRUE(Says("NaN: none")) << out; // the run itself still reports
}

// The cue ball's resting place from a run with --spin: "cue ball: from (x, y) m to (x, y) m".
struct Rest {
    double x = 0.0, y = 0.0;
};

TEST_F(ShotSim, SpinDrawsTheCueBallBackFromTheRackAndSideSpinSteersItOffACushion)
{
    auto restWith = [&](const char* angle, const char* strength, const char* spin) {
        Rest r;
        EXPECT_EQ(Run({"--spin", spin, angle, strength}), 0) << err;
        const size_t at = out.find(" m to (");
        EXPECT_NE(at, std::string::npos) << out;
        if (at != std::string::npos && sscanf(out.c_str() + at, " m to (%lf, %lf)", &r.x, &r.y) != 2)
            ADD_FAILURE() << out;
        return r;
    };
    // The break: the rack lies towards −x. Draw stops the cue ball near its
    // spot; a centre or follow strike runs it on into the rack's place.
    const Rest draw = restWith("180", "150", "0,-0.5");
    EXPECT_TRUE(Says("strike point: side 0.00, top -0.50 ball radii")) << out;
    const Rest centre = restWith("180", "150", "0,0");
    const Rest follow = restWith("180", "150", "0,9"); // clamped to 0.5
    EXPECT_TRUE(Says("top 0.50")) << out;
    EXPECT_GT(draw.x, centre.x + 1.0);
    EXPECT_LT(follow.x, centre.x);
    // Straight at the +y cushion: without spin it comes straight back; side
    // spin sends it off to one side or the other.
    const Rest plain = restWith("90", "80", "0,0");
    const Rest left = restWith("90", "80", "-0.5,0");
    const Rest right = restWith("90", "80", "0.5,0");
    EXPECT_NEAR(plain.x, 0.5, 0.01);
    EXPECT_LT(left.x, plain.x - 0.3);
    EXPECT_GT(right.x, plain.x + 0.3);
    for (const char* bad : {"0.5", "a,b", "0.1,", ",0.1", "nan,0"})
        EXPECT_EQ(Run({"--spin", bad, "180", "50"}), 2) << bad;
    EXPECT_EQ(Run({"180", "50", "--spin"}), 2);
}

} // namespace
