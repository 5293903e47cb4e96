// The table game headless: frame-rate independence, the guide, the computer's strike, the hash.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "game/TableGame.h"
#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"
#include "play/AimGuide.h"
#include "play/PlayShot.h"
#include "tests/support/DefaultWorld.h"

namespace {

// A float in [lo, hi) from the generator's next number, the same on every library.
float Uniform(std::mt19937& rng, float lo, float hi)
{
    return lo + (hi - lo) * static_cast<float>(rng() >> 8) / 16777216.0f;
}

// Frames of `frameSeconds` until the shot under way is over (at most two
// minutes of play); the events meanwhile are appended to `log`.
void PlayOut(CTableGame& g, float frameSeconds, std::vector<std::string>& log)
{
    for (int n = 0;
         n < static_cast<int>(120.0f / frameSeconds) && g.Phase() == CPlaySession::Rolling; ++n) {
        g.Update(frameSeconds);
        for (const GameEvent& e : g.TakeEvents())
            log.push_back(e.text);
    }
}

// A command the side to play may use: from the generator, with the cue ball
// put down on the first of up to 200 random spots that is free when in hand.
ShotCommand RandomShot(const CTableGame& g, std::mt19937& rng)
{
    ShotCommand c;
    c.heading = Uniform(rng, 0.0f, 360.0f);
    c.speed = Uniform(rng, 1.5f, 7.5f);
    c.strike.side = Uniform(rng, -0.35f, 0.35f);
    c.strike.top = Uniform(rng, -0.35f, 0.35f);
    if (g.Phase() != CPlaySession::InHand)
        return c;
    c.place = true;
    const bool kitchen = g.Session().Kitchen();
    for (int tries = 0; tries < 200; ++tries) {
        const float x =
            kitchen ? Uniform(rng, HeadStringX, CushionX - BallRadius) : Uniform(rng, -1.3f, 1.3f);
        c.cue = vec3(x, Uniform(rng, -0.8f, 0.8f), BallRadius);
        if (CheckPlacement(g.Balls(), g.Session().table, g.CueEntry(), c.cue.x, c.cue.y, kitchen) ==
            Placement::Allowed)
            break;
    }
    return c;
}

class TableGame : public ::testing::Test {
protected:
    CDefaultWorld world;
};

// Three shots of a practice rack (the break, a cut with side and draw, a
// soft one) played at 30, 60, 144 and 250 frames a second and at a ragged
// mix of frame times: every ball ends on the same bits and the log is the same.
TEST_F(TableGame, SameShotsEndBitIdenticalAtAnyFrameRate)
{
    struct Run {
        std::vector<Ball> balls;
        std::vector<std::string> log;
    };
    auto play = [](std::vector<float> frames) {
        CTableGame g(5);
        g.Begin(ModePractice, 0);
        std::mt19937 rng(9);
        Run run;
        size_t next = 0;
        for (int shot = 0; shot < 3; ++shot) {
            ShotCommand c = RandomShot(g, rng);
            if (shot == 0) {
                c.heading = 180.0f;
                c.speed = MaxShotSpeed;
            }
            EXPECT_TRUE(g.Shoot(c)) << "shot " << shot;
            for (int n = 0; n < 20000 && g.Phase() == CPlaySession::Rolling; ++n) {
                g.Update(frames[next++ % frames.size()]);
                for (const GameEvent& e : g.TakeEvents())
                    run.log.push_back(e.text);
            }
        }
        run.balls.assign(g.Balls(), g.Balls() + BallSlots);
        return run;
    };
    const Run reference = play({1.0f / 60.0f});
    ASSERT_GE(reference.log.size(), 6u);
    for (const auto& frames :
         std::vector<std::vector<float>>{{1.0f / 30.0f},
                                         {1.0f / 144.0f},
                                         {1.0f / 250.0f},
                                         {0.004f, 0.031f, 0.0167f, 0.009f, 0.052f}}) {
        const Run run = play(frames);
        SCOPED_TRACE("frame " + std::to_string(frames[0]));
        EXPECT_EQ(run.log, reference.log);
        EXPECT_EQ(std::memcmp(run.balls.data(), reference.balls.data(), sizeof(Ball) * BallSlots),
                  0)
            << "the balls ended on other bits";
    }
}

// The aiming guide's paths for a command are the live table's balls after
// each of its steps, bit for bit, and its first contact is the live shot's.
TEST_F(TableGame, GuidePredictsTheLiveShotStepForStep)
{
    CTableGame g(21);
    g.Begin(ModePractice, 0);
    std::vector<std::string> log;
    ShotCommand brk;
    brk.heading = 180.5f;
    brk.speed = MaxShotSpeed;
    brk.place = true;
    brk.cue = vec3(HeadStringX, 0.1f, BallRadius);
    ASSERT_TRUE(g.Shoot(brk));
    PlayOut(g, 1.0f / 60.0f, log);
    if (g.Phase() == CPlaySession::InHand) {
        ASSERT_EQ(g.PlaceHand(), Placement::Allowed);
    }
    std::mt19937 rng(4);
    const ShotCommand c = RandomShot(g, rng);
    {
        const AimPrediction p =
            PredictShot(g.Balls(), g.Session().table, g.CueEntry(), c, AimGuidePaths);
        ASSERT_TRUE(g.Shoot(c));
        const int frames = static_cast<int>(p.path[g.CueEntry()].size()) - 1;
        ASSERT_GT(frames, 10);
        for (int n = 1; n <= frames; ++n) {
            g.Update(static_cast<float>(PlayFrameSeconds));
            for (int k = FirstBall; k <= LastBall; ++k)
                if (n < static_cast<int>(p.path[k].size())) {
                    ASSERT_EQ(g.Balls()[k].position.x, p.path[k][n].x)
                        << "entry " << k << " step " << n;
                    ASSERT_EQ(g.Balls()[k].position.y, p.path[k][n].y)
                        << "entry " << k << " step " << n;
                }
        }
        PlayOut(g, 1.0f / 60.0f, log);
        const int first = g.Session().events.firstContact;
        EXPECT_EQ(p.target, first < 0 ? -1 : g.Session().table.EntryOf(first));
    }
}

// Against the computer, its strike is the player's: a Strike event with the
// cue ball's speed (the owner's cue sound), the strike and shot lines, and a
// replay of its shot once the balls rest.
TEST_F(TableGame, ComputersStrikeHasItsSoundEventLogLinesAndReplay)
{
    CTableGame g(3);
    g.SetWaitForComputer(true);
    g.Begin(ModeEightBall, 1);
    std::vector<std::string> log;
    // The person breaks, then plays a feather toward the head rail until the
    // turn passes (a foul gives the computer ball in hand: its placement too).
    for (int shot = 0; shot < 10 && g.PersonToPlay() && !g.Match().rules.RackOver(); ++shot) {
        ShotCommand c;
        c.heading = shot == 0 ? 180.0f : 0.0f;
        c.speed = shot == 0 ? MaxShotSpeed : MinShotSpeed;
        c.place = g.Phase() == CPlaySession::InHand;
        c.cue = vec3(HeadStringX, 0.0f, BallRadius);
        ASSERT_TRUE(g.Shoot(c));
        PlayOut(g, 1.0f / 60.0f, log);
    }
    ASSERT_TRUE(g.Match().ComputerToPlay()) << "the turn never passed";
    const GameEvent* strike = nullptr;
    std::vector<GameEvent> seen;
    for (int n = 0; n < 600 && !strike; ++n) {
        g.Update(1.0f / 60.0f);
        for (const GameEvent& e : g.TakeEvents())
            seen.push_back(e);
        for (const GameEvent& e : seen)
            if (e.kind == GameEvent::Strike)
                strike = &e;
    }
    ASSERT_NE(strike, nullptr) << "the computer never struck";
    EXPECT_GT(strike->speed, MinShotSpeed * 0.99f);
    EXPECT_EQ(strike->text.rfind("practice: strike speed ", 0), 0u) << strike->text;
    std::string lines;
    for (const GameEvent& e : seen)
        lines += e.text + "\n";
    EXPECT_NE(lines.find("computer: thinking\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("computer: aiming\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("computer: shot "), std::string::npos) << lines;
    PlayOut(g, 1.0f / 60.0f, log);
    EXPECT_TRUE(g.PlayReplay(1.0f)) << "no replay of the computer's shot";
}

// FNV-1a over every ball after every frame and every event line of a fixed
// game: three practice shots and twelve hot-seat 8-ball shots from seeded
// commands, ball in hand included. A change to the passes, the racks, the
// referee or the step shows here as another value: if the change is meant,
// put the new value in and say why in the commit.
TEST_F(TableGame, FixedGameHashesToItsKnownValue)
{
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](const void* p, size_t n) {
        const unsigned char* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) {
            hash ^= b[i];
            hash *= 1099511628211ull;
        }
    };
    std::mt19937 rng(2026);
    for (const auto& [mode, shots] : {std::pair<int, int>{ModePractice, 3}, {ModeEightBall, 12}}) {
        CTableGame g(static_cast<unsigned>(mode) * 101u);
        g.Begin(mode, 0);
        for (int shot = 0; shot < shots && !g.Match().rules.RackOver(); ++shot) {
            if (!g.Shoot(RandomShot(g, rng)))
                continue;
            for (int n = 0; n < 7200 && g.Phase() == CPlaySession::Rolling; ++n) {
                g.Update(1.0f / 60.0f);
                mix(g.Balls(), sizeof(Ball) * BallSlots);
                for (const GameEvent& e : g.TakeEvents())
                    mix(e.text.data(), e.text.size());
            }
        }
    }
    EXPECT_EQ(hash, 0xcfd7f19373bdb7a8ull) << std::hex << "hash 0x" << hash;
}

} // namespace
