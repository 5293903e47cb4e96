// CMixer: sums the sounding voices into one limited stream.
#include "audio/Mixer.h"

#include <algorithm>
#include <cmath>

namespace {

// Per sound: the impact speed that plays it at full strength, m/s, the
// slowest contact that is heard at all, m/s, and the least loudness of one
// that is heard.
struct Loudness {
    float fullSpeed;
    float quietest;
    float floor;
};

const Loudness loudness[SoundKindCount] = {
    {4.0f, 0.02f, 0.0f},  // ball on ball: a firm shot; a full break (7.5 m/s) is no louder
    {3.0f, 0.02f, 0.0f},  // ball on cushion
    {2.0f, 0.0f, 0.3f},   // into a pocket: gravity drops it whatever its speed
    {7.5f, 0.0f, 0.1f},   // the cue: the hardest shot is 7.5 m/s
};

} // namespace

float ImpactGain(SoundKind kind, float speed)
{
    const Loudness& l = loudness[SoundIndex(kind)];
    if (!std::isfinite(speed) || speed < 0.0f)
        speed = 0.0f;
    if (speed < l.quietest)
        return 0.0f;
    return std::clamp(speed / l.fullSpeed, l.floor, 1.0f);
}

float SoftLimit(float x)
{
    const float a = std::fabs(x);
    if (!(a > LimiterKnee))
        return std::isnan(x) ? 0.0f : x;
    const float room = LimiterCeiling - LimiterKnee;
    const float y = LimiterKnee + room * std::tanh((a - LimiterKnee) / room);
    // tanh reaches 1 in float for large arguments: keep strictly under the ceiling.
    return std::copysign(std::min(y, LimiterCeiling), x);
}

CMixer::CMixer(const SoundBank& bank_) : bank(bank_) {}

void CMixer::SetVolume(float v)
{
    volume = std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f;
}

bool CMixer::Play(SoundKind kind, float speed)
{
    const float gain = ImpactGain(kind, speed);
    const SoundBuffer& sound = bank.Get(kind);
    if (!(gain > 0.0f) || sound.samples.empty())
        return false;
    Voice* slot = nullptr;
    for (Voice& v : voices) {
        if (!v.sound) {
            slot = &v;
            break;
        }
        if (!slot || v.gain < slot->gain)
            slot = &v;
    }
    if (slot->sound && slot->gain >= gain)
        return false;
    slot->sound = &sound;
    slot->next = 0;
    slot->gain = gain;
    return true;
}

void CMixer::Mix(int16_t* out, int frames)
{
    const float scale = volume / 32767.0f;
    for (int i = 0; i < frames; ++i) {
        float sum = 0.0f;
        for (Voice& v : voices) {
            if (!v.sound)
                continue;
            sum += v.gain * v.sound->samples[v.next];
            if (++v.next >= v.sound->samples.size())
                v.sound = nullptr;
        }
        out[i] = static_cast<int16_t>(std::lround(SoftLimit(sum * scale) * 32767.0f));
    }
}

int CMixer::ActiveVoices() const
{
    int n = 0;
    for (const Voice& v : voices)
        n += v.sound != nullptr;
    return n;
}
