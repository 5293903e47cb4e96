// CSound: SDL 1.2's callback audio around the mixer; a missing device means silence, not an error.
#include "audio/Sound.h"

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>

// SDL 1.2 has one audio device per process: the CSound that has it.
static CSound* deviceOwner = nullptr;

CSound::~CSound()
{
    Close();
}

static void SayNoSound(const char* why)
{
    fprintf(stderr, "baizeline: no sound: %s\n", why);
}

// While SDL probes its drivers, the sound libraries under it (ALSA's above
// all) print their own complaints straight to file descriptor 2: eight lines
// on a machine without a sound card. They are sent to /dev/null for that
// moment, so that a missing device costs the player one line of ours. Should
// either step fail, standard error is simply left as it is.
class QuietStandardError {
public:
    QuietStandardError()
    {
        fflush(stderr);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null < 0)
            return;
        saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (saved >= 0 && dup2(null, STDERR_FILENO) < 0) {
            close(saved);
            saved = -1;
        }
        close(null);
    }
    ~QuietStandardError()
    {
        if (saved < 0)
            return;
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved = -1;
};

// SDL's audio subsystem and device, opened for `want`; false, with SDL's
// error set and the subsystem shut again, when there is none.
static bool OpenDevice(SDL_AudioSpec& want)
{
    QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
        return false;
    // No `obtained` format asked back: SDL converts ours to the hardware's itself.
    if (SDL_OpenAudio(&want, nullptr) < 0) {
        // Keep SDL's reason across the shutdown, which may overwrite it.
        char why[256];
        snprintf(why, sizeof why, "%s", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_SetError("%s", why);
        return false;
    }
    return true;
}

bool CSound::Open(float volume, int rate)
{
    Close();
    if (!(volume > 0.0f))
        return false;
    if (deviceOwner) {
        SayNoSound("the audio device is already in use");
        return false;
    }
    bank = std::make_unique<SoundBank>(rate);
    mixer = std::make_unique<CMixer>(*bank);
    mixer->SetVolume(volume);

    SDL_AudioSpec want{};
    want.freq = bank->Get(SoundKind::BallBall).rate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = SoundBufferSamples;
    want.callback = Fill;
    want.userdata = this;
    if (!OpenDevice(want)) {
        SayNoSound(SDL_GetError());
        mixer.reset();
        bank.reset();
        return false;
    }
    open = true;
    deviceOwner = this;
    SDL_PauseAudio(0);
    return true;
}

void CSound::Close()
{
    if (open) {
        // Waits for the audio thread to finish its callback and stop; after
        // SDL_Quit the thread is already gone and this does nothing.
        SDL_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        open = false;
        deviceOwner = nullptr;
    }
    mixer.reset();
    bank.reset();
}

void CSound::Play(SoundKind kind, float speed)
{
    if (!open)
        return;
    SDL_LockAudio();
    mixer->Play(kind, speed);
    SDL_UnlockAudio();
}

void CSound::SetVolume(float volume)
{
    if (!open)
        return;
    SDL_LockAudio();
    mixer->SetVolume(volume);
    SDL_UnlockAudio();
}

int CSound::ActiveVoices() const
{
    if (!open)
        return 0;
    SDL_LockAudio();
    const int n = mixer->ActiveVoices();
    SDL_UnlockAudio();
    return n;
}

void CSound::Fill(void* self, Uint8* stream, int len)
{
    CSound* sound = static_cast<CSound*>(self);
    sound->mixer->Mix(reinterpret_cast<int16_t*>(stream), len / static_cast<int>(sizeof(int16_t)));
}
