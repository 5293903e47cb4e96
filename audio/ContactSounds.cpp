// CContactSounds: new contacts from the passes' reports, with their speeds, to the sound device.
#include "audio/ContactSounds.h"

#include "audio/Sound.h"

namespace {

// Long enough before any first pass that every contact starts new.
constexpr long LongAgo = -1000000;

} // namespace

CContactSounds::CContactSounds(CSound* s) : sound(s)
{
    Reset();
}

void CContactSounds::Reset()
{
    pass = 0;
    for (int k = 0; k < SoundKindCount; ++k)
        heard[k] = 0;
    for (int i = 0; i < BallSlots; ++i) {
        cushionPass[i] = LongAgo;
        for (int j = 0; j < BallSlots; ++j)
            pairPass[i][j] = LongAgo;
    }
}

void CContactSounds::Hear(SoundKind kind, float speed)
{
    ++heard[SoundIndex(kind)];
    if (sound)
        sound->Play(kind, speed);
}

void CContactSounds::BallsMet(int i, int j, float speed)
{
    if (i < 0 || j < 0 || i >= BallSlots || j >= BallSlots)
        return;
    long& last = i > j ? pairPass[i][j] : pairPass[j][i];
    const bool fresh = pass - last > SameContactPasses;
    last = pass;
    if (fresh)
        Hear(SoundKind::BallBall, speed);
}

void CContactSounds::CushionMet(int k, float speed)
{
    if (k < 0 || k >= BallSlots)
        return;
    const bool fresh = pass - cushionPass[k] > SameContactPasses;
    cushionPass[k] = pass;
    if (fresh)
        Hear(SoundKind::BallCushion, speed);
}

void CContactSounds::Dropped(int k, float speed)
{
    (void)k;
    Hear(SoundKind::Pocket, speed);
}

void CContactSounds::PassEnd()
{
    ++pass;
}
