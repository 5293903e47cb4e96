// The pool table's plan, in model units (1 unit = 5 cm): x across the table,
// y along it, z up, bed surface at z = 0. The ball centres ride at z = 1 and
// stay within the cushion noses at x = +-19, y = +-29 (the physics' planes).
// The cushions, rail line and pockets come from physics/TableGeometry.h.
#pragma once

#include "physics/TableGeometry.h"
#include "tools/assetgen/Triangulate.h"

#include <vector>

namespace table {

constexpr float kNoseX = NoseAcrossUnits;     // side cushion noses
constexpr float kNoseY = NoseAlongUnits;      // end cushion noses
constexpr float kRailInnerX = RailInnerAcrossUnits; // where the cushion meets the wooden rail
constexpr float kRailInnerY = RailInnerAlongUnits;
constexpr float kRailTopOuterX = 23.5f; // outer edge of the rail's flat top
constexpr float kRailTopOuterY = 33.5f;
constexpr float kBodyX = 24.0f;        // outer faces of the table body
constexpr float kBodyY = 34.0f;
constexpr float kCushionTop = 1.2f;    // cushion height above the bed
constexpr float kRailTop = 1.5f;       // rail height above the bed
constexpr float kBevelBottom = 1.0f;   // the rail's outer chamfer drops to here
constexpr float kBodyBottom = -4.5f;   // underside of the table body
constexpr float kPocketX = PocketAcrossUnits; // pocket centres across the table
constexpr float kPocketY = PocketAlongUnits;  // corner pocket centres along it
constexpr float kPocketRadius = PocketRadiusUnits;
constexpr float kPocketBottom = -4.0f;
constexpr float kFloor = -26.5f;       // the room's floor: the feet stand on it

// How the cushions are cut back at the pockets while a model is built: the
// free table's cut unless a CutScope says otherwise. Every outline below that
// reaches a pocket reads it.
const PocketCut& ActiveCut();
class CutScope {
public:
    explicit CutScope(const PocketCut& cut);
    ~CutScope();
    CutScope(const CutScope&) = delete;
    CutScope& operator=(const CutScope&) = delete;

private:
    PocketCut saved;
};

// Texels per unit of the rail wood on every wooden face: it repeats every 16 units.
constexpr float kWoodScale = 1.0f / 16.0f;

// Pocket centres: corners (+-20, +-30) and middles (+-20, 0), numbered as TableGeometry's.
Vec2 PocketCentre(int index); // 0..5
constexpr int kPockets = PocketCount;

// A point of the pocket circle around `centre` at `degrees`, measured in the
// frame mirrored so that the pocket lies in the +x, +y quadrant: the same
// angle names the same feature (the outer side, the jaw ends) of every pocket.
Vec2 PocketPoint(const Vec2& centre, float degrees);

// Angles from `from` to `to` (degrees, either direction): both ends plus every
// multiple of the 10-degree step between them. Pocket walls and the outlines
// that border them use the same list, so their points coincide.
std::vector<float> ArcAngles(float from, float to);

// The points of the pocket circle around `centre` at ArcAngles(from, to), in order.
Outline ArcPoints(const Vec2& centre, float from, float to);

// Angles (degrees, quadrant frame) where a pocket's circle meets the cushion
// jaws. The rail surrounds the pocket between them (outer side), the bed
// between them the other way round.
struct PocketArcs {
    float railFrom, railTo; // decreasing order round the outer side
    float bedFrom, bedTo;   // decreasing order round the inner side
};
PocketArcs ArcsOfPocket(int index);

// The bed's outline: the noses, the jaws, and the pocket circles' inner arcs.
Outline BedOutline();

// Cushion tops (z = kCushionTop), one per side or end between two pockets.
std::vector<Outline> CushionOutlines();

// Rail tops (z = kRailTop), six pieces split at the pockets.
std::vector<Outline> RailOutlines();

// Inlaid diamond sights on the rail tops, three between each pair of pockets.
std::vector<Outline> SightOutlines();

// Mirrors across the y axis (x -> -x) and/or the x axis (y -> -y).
Outline Mirror(const Outline& outline, bool mirrorX, bool mirrorY);

} // namespace table
