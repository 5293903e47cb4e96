// Synthesiser, mixer and volume setting: the sounds as signals, loudness, the clipping guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "audio/Mixer.h"
#include "audio/SoundConfig.h"
#include "audio/Synth.h"
#include "config/IniFile.h"

namespace {

const SoundKind AllKinds[] = {SoundKind::BallBall, SoundKind::BallCushion, SoundKind::Pocket,
                              SoundKind::CueStrike};

int Peak(const std::vector<int16_t>& s, size_t from = 0, size_t to = SIZE_MAX)
{
    int peak = 0;
    for (size_t i = from; i < std::min(to, s.size()); ++i)
        peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    return peak;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(s[i]) * s[i];
    return to > from ? std::sqrt(sum / (to - from)) : 0.0;
}

// Sign changes per second: a rough measure of how bright a sound is.
double CrossingsPerSecond(const SoundBuffer& b)
{
    int n = 0;
    for (size_t i = 1; i < b.samples.size(); ++i)
        n += (b.samples[i - 1] < 0) != (b.samples[i] < 0);
    return n * static_cast<double>(b.rate) / b.samples.size();
}

TEST(Synthesiser, EverySoundHasItsLengthAtAnyRatePeaksWithHeadroomAndDiesAway)
{
    for (SoundKind kind : AllKinds) {
        SCOPED_TRACE(SoundIndex(kind));
        const SoundBuffer a = Synthesise(kind, 22050);
        const SoundBuffer b = Synthesise(kind, 44100);
        EXPECT_EQ(a.rate, 22050);
        const double seconds = static_cast<double>(a.samples.size()) / a.rate;
        EXPECT_GE(seconds, 0.04);
        EXPECT_LE(seconds, 1.0);
        EXPECT_NEAR(static_cast<double>(b.samples.size()) / b.rate, seconds, 1.0 / 22050);
        // Loudest sample at the headroom, well below full scale, at both rates.
        EXPECT_NEAR(Peak(a.samples), SoundPeak * 32767, 1);
        EXPECT_NEAR(Peak(b.samples), SoundPeak * 32767, 1);
        // The last tenth is quiet beside the loudest 10 ms, and the end is silent.
        const size_t n = a.samples.size(), w = a.rate / 100;
        double loudest = 0.0;
        for (size_t i = 0; i + w <= n; i += w / 2)
            loudest = std::max(loudest, Rms(a.samples, i, i + w));
        EXPECT_LT(Rms(a.samples, n - n / 10, n), 0.1 * loudest);
        EXPECT_EQ(a.samples.back(), 0);
    }
}

TEST(Synthesiser, SameSoundOnEveryRunAndEachKindItsOwn)
{
    for (SoundKind kind : AllKinds)
        EXPECT_EQ(Synthesise(kind, 22050).samples, Synthesise(kind, 22050).samples);
    const SoundBank bank(22050);
    for (int i = 0; i < SoundKindCount; ++i)
        for (int j = 0; j < i; ++j)
            EXPECT_NE(bank.sound[i].samples, bank.sound[j].samples);
    // Rates outside the accepted range are clamped, not trusted.
    EXPECT_EQ(Synthesise(SoundKind::BallBall, 0).rate, MinSoundRate);
    EXPECT_EQ(Synthesise(SoundKind::BallBall, 1 << 30).rate, MaxSoundRate);
}

TEST(Synthesiser, BallsClickBrightTheCushionThudsLowAndThePocketRattles)
{
    const SoundBank bank(22050);
    const double click = CrossingsPerSecond(bank.Get(SoundKind::BallBall));
    const double cue = CrossingsPerSecond(bank.Get(SoundKind::CueStrike));
    const double thud = CrossingsPerSecond(bank.Get(SoundKind::BallCushion));
    EXPECT_GT(click, 2.0 * cue);
    EXPECT_GT(cue, 2.0 * thud);
    EXPECT_LT(thud, 1000.0);
    // The rattle: separate knocks after the drop, each a 2 ms window much
    // louder than the one before it.
    const SoundBuffer& pocket = bank.Get(SoundKind::Pocket);
    const size_t w = pocket.rate / 500;
    int knocks = 0;
    double before = 0.0;
    for (size_t i = 0; i + w <= pocket.samples.size(); i += w) {
        const double now = Rms(pocket.samples, i, i + w);
        knocks += now > 2.0 * before && now > 0.05 * SoundPeak * 32767;
        before = now;
    }
    EXPECT_GE(knocks, 4);
}

// A mixer over the game's sounds, with its output for `frames` samples.
struct MixRun {
    SoundBank bank{22050};
    CMixer mixer{bank};
    std::vector<int16_t> Mix(int frames)
    {
        std::vector<int16_t> out(frames);
        mixer.Mix(out.data(), frames);
        return out;
    }
};

TEST(Mixer, FasterImpactsPlayLouderAndRestingContactsAreSilent)
{
    for (SoundKind kind : AllKinds) {
        SCOPED_TRACE(SoundIndex(kind));
        int previous = 0;
        for (float speed : {0.5f, 1.0f, 1.8f}) {
            MixRun run;
            ASSERT_TRUE(run.mixer.Play(kind, speed));
            const int peak = Peak(run.Mix(22050));
            EXPECT_GT(peak, previous) << speed << " m/s";
            previous = peak;
        }
    }
    MixRun run;
    EXPECT_FALSE(run.mixer.Play(SoundKind::BallBall, 0.005f));
    EXPECT_FALSE(run.mixer.Play(SoundKind::BallCushion, NAN));
    EXPECT_EQ(run.mixer.ActiveVoices(), 0);
    EXPECT_EQ(Peak(run.Mix(1000)), 0);
    // A drop or a strike is always heard.
    EXPECT_GT(ImpactGain(SoundKind::Pocket, 0.0f), 0.0f);
    EXPECT_GT(ImpactGain(SoundKind::CueStrike, 0.0f), 0.0f);
}

TEST(Mixer, OneFullVoicePassesUnchangedAndTheVolumeScalesIt)
{
    const float volumes[] = {1.0f, 0.5f, 0.0f, 7.0f, -1.0f, NAN};
    const float expected[] = {1.0f, 0.5f, 0.0f, 1.0f, 0.0f, 0.0f};
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(volumes[k]);
        MixRun run;
        run.mixer.SetVolume(volumes[k]);
        EXPECT_EQ(run.mixer.Volume(), expected[k]);
        run.mixer.Play(SoundKind::BallBall, 100.0f);
        const std::vector<int16_t>& sound = run.bank.Get(SoundKind::BallBall).samples;
        const std::vector<int16_t> out = run.Mix(static_cast<int>(sound.size()) + 10);
        for (size_t i = 0; i < sound.size(); ++i)
            ASSERT_NEAR(out[i], sound[i] * expected[k], 1.0) << "sample " << i;
        EXPECT_EQ(Peak(out, sound.size()), 0); // and nothing after it
        EXPECT_EQ(run.mixer.ActiveVoices(), 0);
    }
}

TEST(Mixer, PiledUpVoicesAreLimitedBelowFullScaleWithoutWrapping)
{
    MixRun run;
    for (int k = 0; k < MaxVoices; ++k)
        ASSERT_TRUE(run.mixer.Play(k % 2 ? SoundKind::BallBall : SoundKind::CueStrike, 100.0f));
    const std::vector<int16_t> out = run.Mix(4000);
    const int single = static_cast<int>(std::lround(SoundPeak * 32767));
    EXPECT_GT(Peak(out), single);
    EXPECT_LE(Peak(out), static_cast<int>(LimiterCeiling * 32767) + 1);
    // Every limited sample keeps the sign of the plain sum (a wrap would flip it).
    const std::vector<int16_t>& a = run.bank.Get(SoundKind::BallBall).samples;
    const std::vector<int16_t>& b = run.bank.Get(SoundKind::CueStrike).samples;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const int sum = 8 * (a[i] + b[i]);
        if (std::abs(sum) > 100) {
            ASSERT_EQ(sum > 0, out[i] > 0) << "sample " << i;
        }
    }
    // The curve itself: unchanged to the knee, then rising, odd, bounded.
    EXPECT_EQ(SoftLimit(0.3f), 0.3f);
    EXPECT_EQ(SoftLimit(-LimiterKnee), -LimiterKnee);
    float last = 0.0f;
    for (float x = 0.0f; x < 50.0f; x += 0.01f) {
        const float y = SoftLimit(x);
        ASSERT_GE(y, last) << x;
        ASSERT_LT(y, LimiterCeiling + 1e-6f) << x;
        ASSERT_EQ(SoftLimit(-x), -y) << x;
        last = y;
    }
    EXPECT_NEAR(SoftLimit(LimiterKnee + 0.001f), LimiterKnee + 0.001f, 1e-5);
    EXPECT_EQ(SoftLimit(NAN), 0.0f);
}

TEST(Mixer, AFullMixerMakesRoomForALouderSoundOnly)
{
    MixRun run;
    for (int k = 0; k < MaxVoices; ++k)
        ASSERT_TRUE(run.mixer.Play(SoundKind::BallBall, 2.0f + 0.01f * k));
    EXPECT_FALSE(run.mixer.Play(SoundKind::BallBall, 1.0f));
    EXPECT_EQ(run.mixer.ActiveVoices(), MaxVoices);
    EXPECT_TRUE(run.mixer.Play(SoundKind::Pocket, 10.0f)); // replaces the quietest click
    EXPECT_EQ(run.mixer.ActiveVoices(), MaxVoices);
    // The clicks end first; the drop sounds on for its full length.
    const size_t click = run.bank.Get(SoundKind::BallBall).samples.size();
    const size_t drop = run.bank.Get(SoundKind::Pocket).samples.size();
    run.Mix(static_cast<int>(click));
    EXPECT_EQ(run.mixer.ActiveVoices(), 1);
    run.Mix(static_cast<int>(drop - click));
    EXPECT_EQ(run.mixer.ActiveVoices(), 0);
}

// A reader opened on `text`.
float VolumeFrom(int mode, const char* text)
{
    CIniFile ini;
    ini.Open("/nonexistent/game.cfg"); // opened, empty
    std::istringstream in(text);
    ini.Parse(in);
    return SoundVolume(mode, ini);
}

TEST(SoundVolume, SilentFreeTableByDefaultClampedAndBadValuesGiveTheDefault)
{
    EXPECT_EQ(VolumeFrom(0, ""), 0.0f);
    EXPECT_EQ(VolumeFrom(1, ""), 0.7f);
    EXPECT_EQ(VolumeFrom(3, "[Sound]\n"), 0.7f);
    EXPECT_EQ(VolumeFrom(0, "[Sound]\nVolume=0.4\n"), 0.4f); // the player may ask for sound
    EXPECT_EQ(VolumeFrom(2, "[Sound]\nVolume=0\n"), 0.0f);
    EXPECT_EQ(VolumeFrom(1, "[Sound]\nVolume=3\n"), 1.0f);
    EXPECT_EQ(VolumeFrom(1, "[Sound]\nVolume=-2\n"), 0.0f);
    for (const char* bad : {"loud", "nan", "inf", "-inf", "1e999"}) {
        const std::string text = std::string("[Sound]\nVolume=") + bad + "\n";
        EXPECT_EQ(VolumeFrom(1, text.c_str()), 0.7f) << bad;
        EXPECT_EQ(VolumeFrom(0, text.c_str()), 0.0f) << bad;
    }
    CIniFile never;
    EXPECT_EQ(SoundVolume(1, never), 0.7f);
}

} // namespace
