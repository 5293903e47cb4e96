// Display gamma: the ramps handed to the display, ApplyGamma's guards, and the restore on close.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "app/Game.h"
#include "app/Gamma.h"

namespace {

typedef std::array<Uint16, GammaRampSize> Ramp;
struct RampSet {
    Ramp r, g, b;
};

// Stands in for the display: remembers every ramp set, serves a ramp to read.
struct FakeDisplay {
    std::vector<RampSet> sets;
    int reads = 0;
    int readResult = 0;
    int setResult = 0;
    RampSet current{};
};
FakeDisplay display;

int FakeSet(const Uint16* r, const Uint16* g, const Uint16* b)
{
    RampSet set;
    std::copy(r, r + GammaRampSize, set.r.begin());
    std::copy(g, g + GammaRampSize, set.g.begin());
    std::copy(b, b + GammaRampSize, set.b.begin());
    display.sets.push_back(set);
    if (display.setResult == 0)
        display.current = set;
    return display.setResult;
}

int FakeGet(Uint16* r, Uint16* g, Uint16* b)
{
    ++display.reads;
    if (display.readResult != 0)
        return display.readResult;
    std::copy(display.current.r.begin(), display.current.r.end(), r);
    std::copy(display.current.g.begin(), display.current.g.end(), g);
    std::copy(display.current.b.begin(), display.current.b.end(), b);
    return 0;
}

Ramp Identity()
{
    Ramp ramp;
    for (int i = 0; i < GammaRampSize; ++i)
        ramp[i] = static_cast<Uint16>(257 * i);
    return ramp;
}

class Gamma : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = FakeDisplay();
        display.current = {Identity(), Identity(), Identity()};
        SetDisplayGammaRamp = FakeSet;
        GetDisplayGammaRamp = FakeGet;
    }
    void TearDown() override
    {
        SetDisplayGammaRamp = SDL_SetGammaRamp;
        GetDisplayGammaRamp = SDL_GetGammaRamp;
    }
    // Entries 1, 64, 128, 255 of the one ramp set, all channels alike, entry 0 zero.
    void ExpectCurve(int e1, int e64, int e128, int e255)
    {
        ASSERT_EQ(display.sets.size(), 1u);
        const RampSet& set = display.sets[0];
        EXPECT_EQ(set.r, set.g);
        EXPECT_EQ(set.r, set.b);
        EXPECT_EQ(set.r[0], 0);
        EXPECT_EQ(set.r[1], e1);
        EXPECT_EQ(set.r[64], e64);
        EXPECT_EQ(set.r[128], e128);
        EXPECT_EQ(set.r[255], e255);
    }
};

TEST_F(Gamma, GammaOneWithoutWearinessIsTheIdentityRamp)
{
    EXPECT_EQ(SetGammaTable(0.0f, 1.0f), 0);
    ExpectCurve(257, 16448, 32896, 65535);
    EXPECT_EQ(display.sets[0].r, Identity());
    EXPECT_EQ(display.reads, 0);
}

TEST_F(Gamma, WearinessHalfLiftsBlackToHalfIntensity)
{
    EXPECT_EQ(SetGammaTable(0.5f, 1.0f), 0);
    ExpectCurve(32896, 40991, 49215, 65535);
}

TEST_F(Gamma, GammaTwoBrightensTheMidtones)
{
    EXPECT_EQ(SetGammaTable(0.0f, 2.0f), 0);
    ExpectCurve(4103, 32831, 46431, 65535);
}

TEST_F(Gamma, NoGammaLiftsTheDisplaysRampChannelByChannel)
{
    display.current.r = Identity();
    display.current.g = Identity();
    display.current.g[5] = 0;      // zero entries are kept
    display.current.b.fill(0);
    display.current.b[0] = 500;    // so is entry 0
    display.current.b[10] = 1000;
    display.current.b[20] = 12345;

    EXPECT_EQ(SetGammaTable(0.2f, 0.0f), 0);
    ASSERT_EQ(display.sets.size(), 1u);
    const RampSet& set = display.sets[0];
    EXPECT_EQ(set.r[0], 0);
    EXPECT_EQ(set.r[1], 13312);
    EXPECT_EQ(set.r[128], 39423);
    EXPECT_EQ(set.r[255], 65535);
    EXPECT_EQ(set.g[5], 0);
    EXPECT_EQ(set.g[128], 39423);
    EXPECT_EQ(set.b[0], 500);
    EXPECT_EQ(set.b[10], 13907);
    EXPECT_EQ(set.b[20], 22983);
    EXPECT_EQ(set.b[30], 0);
}

TEST_F(Gamma, NoGammaAndNoWearinessLeavesTheDisplayAlone)
{
    EXPECT_EQ(SetGammaTable(0.0f, 0.0f), 0);
    EXPECT_EQ(SetGammaTable(0.0f, NAN), 0);
    EXPECT_EQ(display.reads, 0);
    EXPECT_TRUE(display.sets.empty());
}

TEST_F(Gamma, DisplayFailuresComeBackAsMinusOne)
{
    display.readResult = -1;
    EXPECT_EQ(SetGammaTable(0.2f, 0.0f), -1);
    EXPECT_EQ(SetGammaTable(0.2f, NAN), -1);
    EXPECT_TRUE(display.sets.empty()); // an unreadable ramp is never lifted
    EXPECT_EQ(SaveGammaTable(), -1);

    display.setResult = -1;
    EXPECT_EQ(SetGammaTable(0.0f, 2.0f), -1);
    EXPECT_EQ(RestoreGammaTable(), -1);
}

TEST_F(Gamma, SaveAndRestoreRoundTripTheDisplaysRamp)
{
    display.current.g[7] = 4242;
    EXPECT_EQ(SaveGammaTable(), 0);
    display.current = RampSet{};
    EXPECT_EQ(RestoreGammaTable(), 0);
    EXPECT_EQ(display.current.r, Identity());
    EXPECT_EQ(display.current.g[7], 4242);
}

// A game object as ReadIni would leave it; its destructor's Close is part of the test.
struct GammaCase {
    float gamma, weariness;
    bool fullScreen;
};

void Apply(const GammaCase& c)
{
    CGame game;
    game.gamma = c.gamma;
    game.weariness = c.weariness;
    game.fullScreen = c.fullScreen;
    game.ApplyGamma();
}

TEST_F(Gamma, OutOfRangeValuesAndWindowedModeLeaveTheDisplayAlone)
{
    const GammaCase refused[] = {
        {10.5f, 0.0f, true}, {-0.5f, 0.0f, true}, {1.0f, 1.0f, true}, {1.0f, -0.1f, true},
        {NAN, 0.0f, true},   {1.0f, NAN, true},   {2.0f, 0.2f, false},
    };
    for (const GammaCase& c : refused) {
        Apply(c);
        EXPECT_TRUE(display.sets.empty()) << c.gamma << " " << c.weariness << " " << c.fullScreen;
        EXPECT_EQ(display.reads, 0);
    }
}

TEST_F(Gamma, RangeEndsAreAccepted)
{
    Apply({10.0f, 0.0f, true});
    Apply({0.0f, 0.999f, true});
    // Each sets its ramp and puts the saved one back on close.
    EXPECT_EQ(display.sets.size(), 4u);
    EXPECT_EQ(display.current.r, Identity());
}

TEST_F(Gamma, DefaultsInFullScreenChangeNothingAndRestoreNothing)
{
    Apply({0.0f, 0.0f, true});
    EXPECT_TRUE(display.sets.empty());
    EXPECT_EQ(display.reads, 0);
}

TEST_F(Gamma, NoGammaWithWearinessLiftsTheExistingRampInFullScreen)
{
    CGame game;
    game.fullScreen = true;
    game.weariness = 0.2f;
    game.ApplyGamma();
    ASSERT_EQ(display.sets.size(), 1u);
    EXPECT_EQ(display.sets[0].r[128], 39423);
}

TEST_F(Gamma, CloseRestoresTheRampThatWasThereOnce)
{
    Ramp before = Identity();
    before[200] = 1234;
    display.current.r = before;
    CGame game;
    game.fullScreen = true;
    game.gamma = 2.0f;
    game.ApplyGamma();
    ASSERT_EQ(display.sets.size(), 1u);
    EXPECT_EQ(display.current.r[64], 32831);

    game.Close();
    ASSERT_EQ(display.sets.size(), 2u);
    EXPECT_EQ(display.current.r, before);
    EXPECT_EQ(display.current.g, Identity());
    game.Close();
    EXPECT_EQ(display.sets.size(), 2u);
}

TEST_F(Gamma, CloseRestoresNothingWhenTheRampWasNeverChanged)
{
    display.setResult = -1;
    Apply({2.0f, 0.0f, true});
    EXPECT_EQ(display.sets.size(), 1u);   // the failed attempt only

    display = FakeDisplay();
    display.readResult = -1;              // gamma 0: the lift cannot read the ramp
    Apply({0.0f, 0.2f, true});
    EXPECT_TRUE(display.sets.empty());
}

} // namespace
