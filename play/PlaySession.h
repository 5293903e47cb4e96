// CPlaySession: the play modes' shot cycle: aim, roll, pots sinking into the tray, cue ball in hand, the count of shots.
#pragma once

#include <vector>

#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "physics/ShotEvents.h"
#include "play/BallInHand.h"

// Seconds a potted ball takes to sink out of sight in its pocket.
constexpr float SinkSeconds = 0.4f;

// Tray slot `i` (0 first), metres: the potted balls sit in a row along the top
// of the foot rail (the −x end), clear of the corner pockets.
vec3 TraySlot(int i);

// No SDL and no GL here: the game feeds it the frame's time and the balls,
// the tests feed it their own.
class CPlaySession {
public:
    enum Phase {
        Aim,     // every ball still: the cue may be drawn back
        Rolling, // after a strike, until every ball is still and every pot has sunk
        InHand   // the cue ball waits to be put down
    };

    CPlaySession();

    // A fresh practice rack (shuffled by `seed`) on `balls`, the cue ball in
    // hand behind the head string, nothing potted, no shots.
    void Rack(Ball* balls, unsigned seed);
    // The same with 9-ball's diamond of balls 1 to 9 when `nineBall` (the
    // other six stay off the table, in no pocket and not in the tray).
    void Rack(Ball* balls, unsigned seed, bool nineBall);

    // The referee's ball in hand once every ball rests: the cue ball is picked
    // up where it lies (or where it waits after a scratch) and may go down
    // anywhere on the cloth, or only behind the head string when `kitchen`.
    void GiveHand(Ball* balls, bool kitchen);
    // A potted ball back on the cloth (on the foot spot, or behind it on the
    // long string), out of the tray; the rest of the tray closes up. False,
    // with nothing changed, when ball `number` is not potted.
    bool Respot(Ball* balls, int number);

    // Advances the pots' sinking by `dt` s and settles the phase: Rolling ends
    // when every ball on the cloth is still and every pot has sunk, in InHand
    // after a scratch, else in Aim.
    void Advance(Ball* balls, float dt);

    // Hands the cue ball a velocity (m/s): the record restarts, the shot counts.
    // Refused (false) unless in Aim.
    bool Strike(Ball* balls, const vec3& velocity);

    // In hand: moves the waiting cue ball by (dx, dy) metres within the cloth
    // (and the kitchen at a break); answers whether it may be put down there.
    Placement MoveHand(Ball* balls, float dx, float dy);
    // In hand: puts the cue ball down where it waits if allowed, back into the passes.
    Placement PlaceHand(Ball* balls);

    // A position taken elsewhere (another copy of the game) goes on from
    // `phase` (Aim or InHand), with `shots` played, the cue ball in entry
    // `cue`, in hand only behind the head string when `kitchenOnly`. The
    // balls, the table's record and the tray are the caller's to set.
    void Resume(Phase atPhase, int shotCount, int cue, bool kitchenOnly);

    int CueEntry() const { return cueEntry; }
    bool Kitchen() const { return kitchen; }
    // Entry k is to be drawn: on the cloth, sinking, in the tray, or the cue
    // ball in hand. Never a ball out of this game's rack (9-ball's 10 to 15)
    // or the cue ball waiting out of sight for the hand.
    bool Shown(int k) const;
    // Any ball dropped but not yet in the tray (or, the cue ball, not yet in hand).
    bool Sinking() const;

    PlayTable table;          // the passes' table for the game's own balls
    ShotEvents events;        // what the current (or last) shot did
    Phase phase;
    int shots;                // strikes since the rack
    std::vector<int> tray;    // ball numbers in the order they reached the tray
    float sinkAge[BallSlots]; // seconds since the drop; < 0 when not sinking
    bool sunk[BallSlots];     // dropped and settled: in the tray, or the cue ball out of sight
    vec3 hand;                // where the cue ball waits while in hand, m

private:
    void Settle(Ball* balls, int k);
    void TakeInHand(Ball* balls, bool kitchenOnly);

    int cueEntry;
    bool kitchen;             // the hand is limited to behind the head string
};
