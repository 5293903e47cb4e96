// PlayTable: what the passes run on besides the balls: the free table's planes, or the play modes' cut cushions, pockets and shot record.
#pragma once

#include "physics/Ball.h"
#include "physics/ContactMaterial.h"
#include "physics/ContactSink.h"
#include "physics/ShotEvents.h"

// Entries 0 to 16 of a ball array; the passes use 1 to 16.
constexpr int BallSlots = LastBall + 1;

// One cushion of the play table in the physics' frame, metres, seen from above:
// a rail point on a pocket circle, the nose's two tips, the rail point at the
// other pocket. Walking a → b → c → d the cushion's body lies on the left.
struct CushionPiece {
    float x[4];
    float y[4];
};
constexpr int CushionPieces = 6;
// The six cushions of PlayTableCut: four side halves, then the two ends.
const CushionPiece* PlayCushions();

// The pocket whose hole lies under a centre at (x, y) metres, or −1.
int PocketUnder(float x, float y);

// The state a pass needs beyond the balls. The game keeps one for its own
// balls; whatever simulates away from the game (an aiming prediction, a
// computer player's search) makes its own copy and hands it in with its own
// ball array, so the same pass code serves both.
struct PlayTable {
    // false: the free table: unbounded cushion planes, no pockets, mt, nothing recorded.
    bool pockets = false;
    const ContactMaterial* materials = mt;
    // Ball number of each entry: 0 the cue ball, 1 to 15 the others.
    int number[BallSlots] = {};
    // A potted ball takes no part in the passes: no contacts, no forces, no
    // integration. Its record is the game's to move (the sinking, the tray).
    bool potted[BallSlots] = {};
    int pocket[BallSlots] = {}; // where it dropped (0 to 5); −1 on the cloth
    // Filled by the passes while not null; not owned.
    ShotEvents* events = nullptr;
    // Told of every contact the passes resolve while not null (the game's
    // sound); not owned. The passes' results are the same with it or without.
    ContactSink* sink = nullptr;

    // Puts every ball back on the cloth; keeps the numbers and the record pointer.
    void Unpot();
    // The entry holding ball `number`, or −1.
    int EntryOf(int number) const;
    // Every ball on the cloth slower than `speed` m/s (horizontal).
    bool Resting(const Ball* balls, float speed) const;
    // A copy for simulating away from the game (a prediction, a search): the
    // same balls in play and pockets, but recording nothing and heard by nobody.
    PlayTable Headless() const;
};

// The free table as the passes see it.
PlayTable FreeTable();
// The play modes' table: cut cushions, pockets, PlayMaterials, nothing potted,
// numbers as the level's list holds them (entry k is ball 16 − k, entry 16 the cue ball).
PlayTable PocketTable();

// Contacts of one ball with the cut cushions; answers whether it touched one.
bool CushionContacts(Ball& b, const ContactMaterial& cushion);
