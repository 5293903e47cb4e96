// CSound: the SDL audio device that plays the table's sounds as the game reports events.
#pragma once

#include <SDL.h>

#include <memory>

#include "audio/Mixer.h"

// Samples per second the device is asked for; SDL converts to the hardware's.
constexpr int DefaultSoundRate = 22050;
// Samples per callback: 512 at 22050 Hz is 23 ms, so a knock follows its
// contact within about a frame and a half at 60 fps; the audio thread, not
// the frame loop, has to keep up with it.
constexpr int SoundBufferSamples = 512;

// Owns the sounds, the mixer and SDL 1.2's single audio device. Without a
// device (none present, as under Xvfb or in CI, or SDL's audio failing) the
// game stays silent: Open writes one line to standard error and every other
// call does nothing. Only one CSound can hold the device at a time.
class CSound {
public:
    CSound() = default;
    ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Makes the sounds and starts the device at master volume `volume` (0..1).
    // A volume of 0 (or one that is not a number) opens nothing and says
    // nothing: silence was asked for. Answers whether sound now plays. Opening
    // an open device first closes it.
    bool Open(float volume, int rate = DefaultSoundRate);
    // Stops the device and frees the sounds; safe to call at any time, twice,
    // and after SDL_Quit.
    void Close();
    bool IsOpen() const { return open; }

    // Queues `kind` at the loudness of an impact at `speed` m/s. Called from
    // the frame loop: it waits for the audio thread at most while that thread
    // mixes one buffer (SDL_LockAudio), and never allocates.
    void Play(SoundKind kind, float speed);
    void SetVolume(float volume);
    // Voices sounding now (0 when closed).
    int ActiveVoices() const;

private:
    // SDL's audio callback: fills `len` bytes of mono 16-bit samples. Runs on
    // SDL's audio thread with the audio lock held.
    static void Fill(void* self, Uint8* stream, int len);

    std::unique_ptr<SoundBank> bank;
    std::unique_ptr<CMixer> mixer;
    bool open = false;
};
