// CSound: the SDL device under the dummy driver, with no driver at all, and around SDL_Quit.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "audio/Sound.h"

namespace {

// CTest runs each case in its own process, so the driver chosen here does not
// leak into the next case.
class SoundDevice : public ::testing::Test {
protected:
    void UseDriver(const char* name) { setenv("SDL_AUDIODRIVER", name, 1); }
    void TearDown() override { SDL_Quit(); }
};

int Lines(const std::string& s)
{
    int n = 0;
    for (char c : s)
        n += c == '\n';
    return n;
}

TEST_F(SoundDevice, DummyDriverOpensQuietlyAndItsCallbackPlaysTheQueuedSounds)
{
    UseDriver("dummy");
    CSound sound;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(sound.Open(0.7f));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    sound.Play(SoundKind::BallBall, 3.0f);
    sound.Play(SoundKind::Pocket, 1.0f);
    sound.Play(SoundKind::BallCushion, 0.0f); // a resting contact: no voice
    EXPECT_GE(sound.ActiveVoices(), 1);
    // The drop is 0.7 s long: the audio thread must have mixed it out by 3 s.
    for (int ms = 0; ms < 3000 && sound.ActiveVoices() > 0; ms += 20)
        SDL_Delay(20);
    EXPECT_EQ(sound.ActiveVoices(), 0);
    sound.Close();
    EXPECT_FALSE(sound.IsOpen());
    sound.Play(SoundKind::CueStrike, 5.0f); // closed: nothing, no crash
    EXPECT_EQ(sound.ActiveVoices(), 0);
}

TEST_F(SoundDevice, NoDriverMeansSilenceAndOneLineOnStandardError)
{
    UseDriver("no-such-driver");
    CSound sound;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sound.Open(0.7f));
    sound.Play(SoundKind::BallBall, 3.0f);
    sound.SetVolume(1.0f);
    sound.Close();
    sound.Close();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_EQ(said.rfind("baizeline: no sound: ", 0), 0u) << said;
    EXPECT_FALSE(sound.IsOpen());
    EXPECT_EQ(sound.ActiveVoices(), 0);
}

TEST_F(SoundDevice, AlsaFailingToOpenAddsNoLinesOfItsOwn)
{
    // ALSA's library prints its own errors to standard error for a device it
    // cannot open, eight lines on a machine without a card. The player sees
    // our line alone, whether or not this SDL was built with ALSA.
    UseDriver("alsa");
    setenv("AUDIODEV", "no-such-pcm-device", 1);
    CSound sound;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sound.Open(0.7f));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_EQ(said.rfind("baizeline: no sound: ", 0), 0u) << said;
    unsetenv("AUDIODEV");
}

TEST_F(SoundDevice, VolumeZeroOpensNoDeviceAndSaysNothing)
{
    UseDriver("dummy");
    CSound sound;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(sound.Open(0.0f));
    EXPECT_FALSE(sound.Open(NAN));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(SoundDevice, OneDeviceAtATimeAndClosingAfterSdlQuitIsSafe)
{
    UseDriver("dummy");
    CSound first, second;
    ASSERT_TRUE(first.Open(0.5f));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(second.Open(0.5f));
    EXPECT_EQ(Lines(testing::internal::GetCapturedStderr()), 1);
    EXPECT_TRUE(first.IsOpen());
    first.Play(SoundKind::Pocket, 2.0f);
    // The game shuts SDL down before its objects go: the device is then gone.
    SDL_Quit();
    first.Close();
    EXPECT_FALSE(first.IsOpen());
    // And it can be opened again afterwards.
    EXPECT_TRUE(second.Open(0.5f));
}

} // namespace
