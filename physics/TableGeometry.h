// TableGeometry: the one home of the table's measurements: cushions, pockets, jaws, spots, scene scale.
#pragma once

#include "physics/Units.h" // SceneUnitsPerMetre

// Two frames share these numbers.
//  - Table units, 5 cm each: the scene's unit and the table model's. One unit is
//    one ball radius. The model lays the table with x across and y along it.
//  - Metres in the physics' frame: x along the table, y across, z up, origin at
//    the centre of the bed. The physics and the scene share its axes.
// Everything is first written in table units, the small exact numbers the model
// is built from, and the metres are derived from them (each quotient is the
// float nearest the decimal value, so 29/20 is exactly the 1.45f of old).

// Cushion noses: the planes a ball's surface meets, measured from the centre lines.
constexpr float NoseAcrossUnits = 19.0f; // the long (side) cushions
constexpr float NoseAlongUnits = 29.0f;  // the short (end) cushions
// The wooden rail's inner line, where each cushion's back meets it.
constexpr float RailInnerAcrossUnits = 20.5f;
constexpr float RailInnerAlongUnits = 30.5f;

// Pocket holes: circles in the bed, centred outside the noses; a ball whose
// centre comes over one drops.
constexpr float PocketAcrossUnits = 20.0f; // every pocket's centre, across
constexpr float PocketAlongUnits = 30.0f;  // the corner pockets' centres, along
constexpr float PocketRadiusUnits = 1.9f;
constexpr int PocketCount = 6;

// How the cushions are cut back at the pockets, table units. Each corner pocket's
// two cushion noses stop `cornerJaw` short of the point where the nose lines
// cross; the side cushions stop `middleJaw` either side of a middle pocket's
// centre line. From each nose end a straight facing runs back to the rail line
// on the pocket circle. The mouth, measured nose end to nose end, is then
// cornerJaw·√2 at a corner and 2·middleJaw at a middle pocket.
struct PocketCut {
    float cornerJaw;
    float middleJaw;
};
// The free table's model: corner mouths of 1.41 ball diameters (a ball rolling
// along a cushion just grazes the far jaw) and middle mouths of 2.6.
constexpr PocketCut FreeTableCut{2.0f, 2.6f};
// The play modes' table, cut like a real one relative to the ball: corner
// mouths of 2.05 diameters, middle mouths of 2.3 (a little wider).
constexpr PocketCut PlayTableCut{2.9f, 2.3f};
// Radius of the rounded tip where a nose turns into its facing (the physics'
// jaws; the model's tips are sharp at this scale).
constexpr float JawRadiusUnits = 0.2f;

// Metres, physics frame.
constexpr float CushionX = NoseAlongUnits / SceneUnitsPerMetre;  // end cushion planes, ±x
constexpr float CushionY = NoseAcrossUnits / SceneUnitsPerMetre; // side cushion planes, ±y
constexpr float RailInnerX = RailInnerAlongUnits / SceneUnitsPerMetre;
constexpr float RailInnerY = RailInnerAcrossUnits / SceneUnitsPerMetre;
constexpr float PocketRadius = PocketRadiusUnits / SceneUnitsPerMetre;
constexpr float JawRadius = JawRadiusUnits / SceneUnitsPerMetre;
static_assert(CushionX == 1.45f && CushionY == 0.95f, "the physics' cushion planes");

// Pocket k's centre in metres: 0 (+x, +y) corner, 1 (0, +y) middle, 2 (−x, +y),
// 3 (−x, −y), 4 (0, −y), 5 (+x, −y). The table model numbers its pockets the
// same way (its x across is the physics' y).
constexpr float PocketCentreX(int k)
{
    return (k == 1 || k == 4) ? 0.0f
                              : ((k == 0 || k == 5) ? 1.0f : -1.0f) * PocketAlongUnits / SceneUnitsPerMetre;
}
constexpr float PocketCentreY(int k)
{
    return (k <= 2 ? 1.0f : -1.0f) * PocketAcrossUnits / SceneUnitsPerMetre;
}
constexpr bool MiddlePocket(int k) { return k == 1 || k == 4; }

// Spots of the play modes, metres along x on the long axis. The rack stands at
// the −x end (where the free table's rack is): its apex on the foot spot, a
// quarter of the playing length from the end; the head string crosses the +x
// half at the same distance, and a break is played from behind it.
constexpr float FootSpotX = -CushionX / 2.0f;
constexpr float HeadStringX = CushionX / 2.0f;
