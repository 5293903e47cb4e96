// PlayTable: the cut cushions with rounded jaws, the pocket holes, and the table states the passes take.
#include "physics/PlayTable.h"

#include <cmath>

#include "physics/Contact.h"
#include "physics/TableGeometry.h"

namespace {

// Where a pocket circle of radius PocketRadius centred `offset` metres beyond a
// rail line crosses it, measured along the line from the centre.
float RailCrossing(float offset)
{
    return std::sqrt(PocketRadius * PocketRadius - offset * offset);
}

CushionPiece Mirrored(const CushionPiece& p, bool mx, bool my)
{
    // One mirror turns the walk round; keep the body on the left by reversing.
    const bool reverse = mx != my;
    CushionPiece out;
    for (int i = 0; i < 4; ++i) {
        const int from = reverse ? 3 - i : i;
        out.x[i] = mx ? -p.x[from] : p.x[from];
        out.y[i] = my ? -p.y[from] : p.y[from];
    }
    return out;
}

struct Pieces {
    CushionPiece piece[CushionPieces];
    // The same walks moved JawRadius into the body: a ball meets the cushion
    // where its centre comes within radius + JawRadius of this core line, which
    // rounds each tip into a jaw of radius JawRadius.
    CushionPiece core[CushionPieces];
    float minX[CushionPieces], maxX[CushionPieces], minY[CushionPieces], maxY[CushionPieces];
    // A centre with |x| < openX and |y| < openY is inside no piece's box: most
    // balls, most passes, skip the six box tests with this one.
    float openX, openY;
};

// The left normal of the segment from (ax, ay) to (bx, by).
void LeftNormal(float ax, float ay, float bx, float by, float& nx, float& ny)
{
    const float dx = bx - ax, dy = by - ay, len = std::sqrt(dx * dx + dy * dy);
    nx = -dy / len;
    ny = dx / len;
}

CushionPiece Core(const CushionPiece& p)
{
    float nx[3], ny[3];
    for (int s = 0; s < 3; ++s)
        LeftNormal(p.x[s], p.y[s], p.x[s + 1], p.y[s + 1], nx[s], ny[s]);
    CushionPiece c;
    c.x[0] = p.x[0] + JawRadius * nx[0];
    c.y[0] = p.y[0] + JawRadius * ny[0];
    c.x[3] = p.x[3] + JawRadius * nx[2];
    c.y[3] = p.y[3] + JawRadius * ny[2];
    // A tip's arc centre lies JawRadius from both of its lines: along the
    // bisector of the two normals, JawRadius / cos(half the turn) deep.
    for (int t = 1; t <= 2; ++t) {
        float bx = nx[t - 1] + nx[t], by = ny[t - 1] + ny[t];
        const float len = std::sqrt(bx * bx + by * by);
        bx /= len;
        by /= len;
        const float depth = JawRadius / (bx * nx[t] + by * ny[t]);
        c.x[t] = p.x[t] + depth * bx;
        c.y[t] = p.y[t] + depth * by;
    }
    return c;
}

Pieces MakePieces()
{
    const float corner = PlayTableCut.cornerJaw / SceneUnitsPerMetre;
    const float middle = PlayTableCut.middleJaw / SceneUnitsPerMetre;
    const float cornerX = PocketCentreX(0), sideY = PocketCentreY(0);
    // The +y side cushion of the +x half, from the middle pocket to the corner.
    const CushionPiece side{{RailCrossing(RailInnerY - sideY), middle, CushionX - corner,
                             cornerX - RailCrossing(RailInnerY - sideY)},
                            {RailInnerY, CushionY, CushionY, RailInnerY}};
    // The +x end cushion, from the +y corner to the −y corner.
    const float endRail = sideY - RailCrossing(RailInnerX - cornerX);
    const CushionPiece end{{RailInnerX, CushionX, CushionX, RailInnerX},
                           {endRail, CushionY - corner, -(CushionY - corner), -endRail}};
    Pieces p;
    const CushionPiece all[CushionPieces] = {side, Mirrored(side, true, false), Mirrored(side, true, true),
                                             Mirrored(side, false, true), end, Mirrored(end, true, false)};
    const float reach = BallRadius + JawRadius;
    for (int k = 0; k < CushionPieces; ++k) {
        p.piece[k] = all[k];
        p.core[k] = Core(all[k]);
        p.minX[k] = p.maxX[k] = all[k].x[0];
        p.minY[k] = p.maxY[k] = all[k].y[0];
        for (int i = 1; i < 4; ++i) {
            p.minX[k] = std::fmin(p.minX[k], all[k].x[i]);
            p.maxX[k] = std::fmax(p.maxX[k], all[k].x[i]);
            p.minY[k] = std::fmin(p.minY[k], all[k].y[i]);
            p.maxY[k] = std::fmax(p.maxY[k], all[k].y[i]);
        }
        p.minX[k] -= reach;
        p.maxX[k] += reach;
        p.minY[k] -= reach;
        p.maxY[k] += reach;
    }
    p.openX = CushionX - reach;
    p.openY = CushionY - reach;
    for (int k = 0; k < CushionPieces; ++k) {
        const bool apart = p.minX[k] >= p.openX || p.maxX[k] <= -p.openX || p.minY[k] >= p.openY ||
                           p.maxY[k] <= -p.openY;
        if (!apart) // a box reaching into the middle: keep testing every box
            p.openX = p.openY = 0.0f;
    }
    return p;
}

const Pieces& AllPieces()
{
    static const Pieces pieces = MakePieces();
    return pieces;
}

// The point of segment a–b nearest (px, py), and its squared distance.
float NearestOnSegment(float ax, float ay, float bx, float by, float px, float py, float& qx, float& qy)
{
    const float dx = bx - ax, dy = by - ay;
    float t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    qx = ax + t * dx;
    qy = ay + t * dy;
    return (px - qx) * (px - qx) + (py - qy) * (py - qy);
}

} // namespace

const CushionPiece* PlayCushions()
{
    return AllPieces().piece;
}

int PocketUnder(float x, float y)
{
    // Every hole lies beyond |y| = 0.905 m (a pocket's centre line less its
    // radius); a centre a millimetre short of that is over none, and each
    // circle test below would fail for it by far more than a rounding.
    constexpr float clearOfHoles = PocketAcrossUnits / SceneUnitsPerMetre - PocketRadius - 0.001f;
    if (std::fabs(y) < clearOfHoles)
        return -1;
    for (int k = 0; k < PocketCount; ++k) {
        const float dx = x - PocketCentreX(k), dy = y - PocketCentreY(k);
        if (dx * dx + dy * dy < PocketRadius * PocketRadius)
            return k;
    }
    return -1;
}

bool CushionContacts(Ball& b, const ContactMaterial& cushion)
{
    const Pieces& all = AllPieces();
    if (std::fabs(b.position.x) < all.openX && std::fabs(b.position.y) < all.openY)
        return false;
    const float reach = b.radius + JawRadius;
    bool touched = false;
    for (int k = 0; k < CushionPieces; ++k) {
        const float px = b.position.x, py = b.position.y;
        if (px < all.minX[k] || px > all.maxX[k] || py < all.minY[k] || py > all.maxY[k])
            continue;
        // One contact per cushion, at its nearest point: a ball on a tip meets
        // the rounded jaw once, not the nose and the facing both.
        const CushionPiece& c = all.core[k];
        float best = INFINITY, qx = 0.0f, qy = 0.0f;
        for (int s = 0; s < 3; ++s) {
            float sx, sy;
            const float d2 = NearestOnSegment(c.x[s], c.y[s], c.x[s + 1], c.y[s + 1], px, py, sx, sy);
            if (d2 < best) {
                best = d2;
                qx = sx;
                qy = sy;
            }
        }
        if (!(best < reach * reach) || best == 0.0f)
            continue;
        // The surface point: JawRadius out from the core toward the centre.
        const float d = std::sqrt(best);
        const vec3 p(qx + JawRadius * (px - qx) / d, qy + JawRadius * (py - qy) / d, b.position.z);
        if (BallWithSurface(b, p, cushion))
            touched = true;
    }
    return touched;
}

void PlayTable::Unpot()
{
    for (int k = 0; k < BallSlots; ++k) {
        potted[k] = false;
        pocket[k] = -1;
    }
}

int PlayTable::EntryOf(int n) const
{
    for (int k = FirstBall; k <= LastBall; ++k)
        if (number[k] == n)
            return k;
    return -1;
}

bool PlayTable::Resting(const Ball* balls, float speed) const
{
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (potted[k])
            continue;
        const vec3& v = balls[k].velocity;
        if (!(v.x * v.x + v.y * v.y < speed * speed))
            return false;
    }
    return true;
}

PlayTable PlayTable::Headless() const
{
    PlayTable t = *this;
    t.events = nullptr;
    t.sink = nullptr;
    return t;
}

PlayTable FreeTable()
{
    PlayTable t;
    t.Unpot();
    for (int k = FirstBall; k <= LastBall; ++k)
        t.number[k] = k == LastBall ? 0 : LastBall - k;
    return t;
}

PlayTable PocketTable()
{
    PlayTable t = FreeTable();
    t.pockets = true;
    t.materials = PlayMaterials;
    return t;
}
