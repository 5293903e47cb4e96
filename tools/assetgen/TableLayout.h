// The pool table's plan, in model units (1 unit = 5 cm): x across the table,
// y along it, z up, bed surface at z = 0. The ball centres ride at z = 1 and
// stay within the cushion noses at x = +-19, y = +-29 (the physics' planes).
#pragma once

#include "tools/assetgen/Triangulate.h"

#include <vector>

namespace table {

constexpr float kNoseX = 19.0f;        // side cushion noses
constexpr float kNoseY = 29.0f;        // end cushion noses
constexpr float kRailInnerX = 20.5f;   // where the cushion meets the wooden rail
constexpr float kRailInnerY = 30.5f;
constexpr float kRailTopOuterX = 23.5f; // outer edge of the rail's flat top
constexpr float kRailTopOuterY = 33.5f;
constexpr float kBodyX = 24.0f;        // outer faces of the table body
constexpr float kBodyY = 34.0f;
constexpr float kCushionTop = 1.2f;    // cushion height above the bed
constexpr float kRailTop = 1.5f;       // rail height above the bed
constexpr float kBevelBottom = 1.0f;   // the rail's outer chamfer drops to here
constexpr float kBodyBottom = -4.5f;   // underside of the table body
constexpr float kPocketX = 20.0f;       // pocket centres across the table
constexpr float kPocketY = 30.0f;       // corner pocket centres along it
constexpr float kPocketRadius = 1.9f;
constexpr float kPocketBottom = -4.0f;
constexpr float kFloor = -26.5f;       // the room's floor: the feet stand on it
constexpr float kMiddleJawY = 2.6f;    // side cushions end here beside the middle pockets
constexpr float kCornerJaw = 2.0f;     // cushions end this far short of a corner

// Texels per unit of the rail wood on every wooden face: it repeats every 16 units.
constexpr float kWoodScale = 1.0f / 16.0f;

// Pocket centres: corners (+-20, +-30) and middles (+-20, 0).
Vec2 PocketCentre(int index); // 0..5
constexpr int kPockets = 6;

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
