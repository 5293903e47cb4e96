// ContactSink: where the passes report the contacts they resolve, for whoever listens (the game's sound).
#pragma once

// The passes call these while a PlayTable's `sink` is set; they only read the
// balls to measure speeds, so the physics' results are the same with a sink
// or without. Calls come on the thread running the passes, several per pass
// while balls touch: telling a new contact from a lasting one is the sink's
// business (PassEnd marks each pass). Entries are ball-array entries, 1 to 16.
class ContactSink {
public:
    virtual ~ContactSink() = default;
    // Entries `i` and `j` met in this pass; `speed` is how fast their centres
    // closed along the line between them before the impulse, m/s.
    virtual void BallsMet(int i, int j, float speed) = 0;
    // Entry `k` met a cushion or a jaw; `speed` is the horizontal velocity change
    // the contact made, over (1 + the cushion's restitution): the approach speed
    // for a square hit, m/s.
    virtual void CushionMet(int k, float speed) = 0;
    // Entry `k` dropped into a pocket at `speed` m/s (horizontal).
    virtual void Dropped(int k, float speed) = 0;
    // The end of a pass.
    virtual void PassEnd() = 0;
};
