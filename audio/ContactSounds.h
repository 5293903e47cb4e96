// CContactSounds: the passes' contacts turned into table sounds, one per new contact.
#pragma once

#include "audio/SoundKind.h"
#include "physics/ContactSink.h"
#include "physics/PlayTable.h"

class CSound;

// A pair (or a ball and the cushions) that touched within this many passes
// is still in the same contact: one frame of the game's passes. A ball
// pushed along by another, or rolling along a cushion, touches again every
// few passes and must not knock each time.
constexpr int SameContactPasses = 25;

// The game's sink: hands each new contact to the sound device with its
// speed (the mixer decides how loud, and drops what is too soft to hear).
// Counts what it passed on, so a test can listen without a device.
class CContactSounds : public ContactSink {
public:
    // `sound` may be null (only counted); not owned, must outlive the sink's use.
    explicit CContactSounds(CSound* sound = nullptr);

    void BallsMet(int i, int j, float speed) override;
    void CushionMet(int k, float speed) override;
    void Dropped(int k, float speed) override;
    void PassEnd() override;

    // Forgets every contact and the counts (a re-rack: balls placed touching
    // must not count as one long contact with the next shot's).
    void Reset();

    CSound* sound;
    int heard[SoundKindCount]; // contacts passed on since the last Reset, by kind

private:
    void Hear(SoundKind kind, float speed);

    long pass;
    long pairPass[BallSlots][BallSlots]; // last pass each pair touched (i > j), or far back
    long cushionPass[BallSlots];
};
