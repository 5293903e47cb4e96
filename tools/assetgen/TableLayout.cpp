// The pool table's plan: outlines built for the +x, +y quarter and mirrored.
#include "tools/assetgen/TableLayout.h"

#include <algorithm>
#include <cmath>

#include "physics/Units.h"

namespace table {

namespace {

PocketCut activeCut = FreeTableCut;

constexpr float kArcStep = 10.0f;

// Where the rail's inner line x = kRailInnerX cuts a pocket circle of the
// quadrant frame centred 0.5 inside it: the jaw ends there.
float JawAngle()
{
    return std::acos((kRailInnerX - kPocketX) / kPocketRadius) / RadiansPerDegree; // about 74.7
}

void AppendArc(Outline& out, const Vec2& centre, float from, float to)
{
    const Outline arc = ArcPoints(centre, from, to);
    out.insert(out.end(), arc.begin(), arc.end());
}

// Drops consecutive repeats (where two pieces of a path meet).
Outline Clean(const Outline& in)
{
    Outline out;
    for (const Vec2& p : in)
        if (out.empty() || std::fabs(out.back().x - p.x) > 1e-5f || std::fabs(out.back().y - p.y) > 1e-5f)
            out.push_back(p);
    if (out.size() > 1 && std::fabs(out.front().x - out.back().x) < 1e-5f &&
        std::fabs(out.front().y - out.back().y) < 1e-5f)
        out.pop_back();
    return out;
}

Outline Reversed(Outline o)
{
    std::reverse(o.begin(), o.end());
    return o;
}

const Vec2 kCorner{kPocketX, kPocketY};
const Vec2 kMiddle{kPocketX, 0.0f};

// The bed's outline in the +x, +y quarter, counter-clockwise, from the middle
// pocket's inner point on the x axis to the end nose on the y axis.
Outline BedQuarter()
{
    const float jaw = JawAngle();
    Outline q;
    const PocketCut& cut = ActiveCut();
    AppendArc(q, kMiddle, 180.0f, jaw);
    q.push_back(Vec2{kNoseX, cut.middleJaw});
    q.push_back(Vec2{kNoseX, kNoseY - cut.cornerJaw});
    AppendArc(q, kCorner, -jaw, jaw - 270.0f);
    q.push_back(Vec2{kNoseX - cut.cornerJaw, kNoseY});
    q.push_back(Vec2{0.0f, kNoseY});
    return q;
}

} // namespace

const PocketCut& ActiveCut()
{
    return activeCut;
}

CutScope::CutScope(const PocketCut& cut) : saved(activeCut)
{
    activeCut = cut;
}

CutScope::~CutScope()
{
    activeCut = saved;
}

Vec2 PocketCentre(int index)
{
    static const Vec2 centres[kPockets] = {{kPocketX, kPocketY},   {kPocketX, 0},  {kPocketX, -kPocketY},
                                           {-kPocketX, -kPocketY}, {-kPocketX, 0}, {-kPocketX, kPocketY}};
    return centres[index];
}

Vec2 PocketPoint(const Vec2& centre, float degrees)
{
    // The same angle reached by different turns must give the very same
    // point, so that walls and outlines meet without cracks.
    degrees = std::fmod(degrees, 360.0f);
    if (degrees > 180.0f)
        degrees -= 360.0f;
    else if (degrees <= -180.0f)
        degrees += 360.0f;
    float sx = centre.x < 0.0f ? -1.0f : 1.0f;
    float sy = centre.y < 0.0f ? -1.0f : 1.0f;
    return Vec2{centre.x + sx * kPocketRadius * std::cos(degrees * RadiansPerDegree),
                centre.y + sy * kPocketRadius * std::sin(degrees * RadiansPerDegree)};
}

std::vector<float> ArcAngles(float from, float to)
{
    std::vector<float> out{from};
    if (to < from) {
        for (float a = std::floor((from - 1e-3f) / kArcStep) * kArcStep; a > to + 1e-3f; a -= kArcStep)
            out.push_back(a);
    } else {
        for (float a = std::ceil((from + 1e-3f) / kArcStep) * kArcStep; a < to - 1e-3f; a += kArcStep)
            out.push_back(a);
    }
    out.push_back(to);
    return out;
}

Outline ArcPoints(const Vec2& centre, float from, float to)
{
    Outline points;
    for (float a : ArcAngles(from, to))
        points.push_back(PocketPoint(centre, a));
    return points;
}

PocketArcs ArcsOfPocket(int index)
{
    const float jaw = JawAngle();
    bool middle = PocketCentre(index).y == 0.0f;
    if (middle)
        return PocketArcs{jaw, -jaw, -jaw, jaw - 360.0f};
    // Corner: the side jaw meets the circle at -jaw (on x = kRailInnerX), the
    // end jaw at 90 + jaw (on y = kRailInnerY), by the corner's symmetry.
    return PocketArcs{90.0f + jaw, -jaw, -jaw, jaw - 270.0f};
}

Outline BedOutline()
{
    Outline q1 = BedQuarter();
    Outline all = q1;
    for (const Vec2& p : Reversed(Mirror(q1, true, false)))
        all.push_back(p);
    for (const Vec2& p : Mirror(q1, true, true))
        all.push_back(p);
    for (const Vec2& p : Reversed(Mirror(q1, false, true)))
        all.push_back(p);
    return Clean(all);
}

std::vector<Outline> CushionOutlines()
{
    const float jaw = JawAngle();
    const PocketCut& cut = ActiveCut();
    Outline side = {Vec2{kNoseX, cut.middleJaw}, PocketPoint(kMiddle, jaw),
                    PocketPoint(kCorner, -jaw), Vec2{kNoseX, kNoseY - cut.cornerJaw}};
    Outline end = {Vec2{kNoseX - cut.cornerJaw, kNoseY}, PocketPoint(kCorner, 90.0f + jaw),
                   Mirror({PocketPoint(kCorner, 90.0f + jaw)}, true, false)[0],
                   Vec2{-(kNoseX - cut.cornerJaw), kNoseY}};
    return {side, Mirror(side, true, false), Mirror(side, false, true), Mirror(side, true, true),
            end, Mirror(end, false, true)};
}

std::vector<Outline> RailOutlines()
{
    const float jaw = JawAngle();
    const Vec2 outerCorner{kRailTopOuterX, kRailTopOuterY};
    Outline side;
    side.push_back(Vec2{kRailTopOuterX, 0.0f});
    side.push_back(outerCorner);
    AppendArc(side, kCorner, 45.0f, -jaw);
    AppendArc(side, kMiddle, jaw, 0.0f);
    side = Clean(side);
    // The end rail: the right half from the centre line round the corner
    // pocket to the outer corner, then mirrored.
    Outline half;
    half.push_back(Vec2{0.0f, kRailInnerY});
    AppendArc(half, kCorner, 90.0f + jaw, 45.0f);
    half.push_back(outerCorner);
    half.push_back(Vec2{0.0f, kRailTopOuterY});
    Outline end = half;
    Outline left = Reversed(Mirror(half, true, false));
    end.insert(end.end(), left.begin() + 1, left.end() - 1);
    end = Clean(end);
    return {side, Mirror(side, true, false), Mirror(side, false, true), Mirror(side, true, true),
            end, Mirror(end, false, true)};
}

std::vector<Outline> SightOutlines()
{
    const float along = 0.45f, across = 0.22f; // half-diagonals of the diamond
    auto diamond = [&](float x, float y, bool sideRail) {
        float ax = sideRail ? across : along, ay = sideRail ? along : across;
        return Outline{{x + ax, y}, {x, y + ay}, {x - ax, y}, {x, y - ay}};
    };
    const float sideX = 0.5f * (kRailInnerX + kRailTopOuterX);
    const float endY = 0.5f * (kRailInnerY + kRailTopOuterY);
    std::vector<Outline> sights;
    for (int k = 1; k <= 3; ++k) {
        float y = kNoseY * k / 4.0f; // a quarter of the half length apart
        for (float sx : {1.0f, -1.0f})
            for (float sy : {1.0f, -1.0f})
                sights.push_back(diamond(sx * sideX, sy * y, true));
    }
    for (float x : {-kNoseX / 2.0f, 0.0f, kNoseX / 2.0f})
        for (float sy : {1.0f, -1.0f})
            sights.push_back(diamond(x, sy * endY, false));
    return sights;
}

Outline Mirror(const Outline& outline, bool mirrorX, bool mirrorY)
{
    Outline out;
    for (const Vec2& p : outline)
        out.push_back(Vec2{mirrorX ? -p.x : p.x, mirrorY ? -p.y : p.y});
    return out;
}

} // namespace table
