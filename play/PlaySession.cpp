// CPlaySession: the play modes' shot cycle over the passes' table state.
#include "play/PlaySession.h"

#include "physics/TableGeometry.h"
#include "play/PlayShot.h"
#include "play/NineBallRack.h"
#include "play/PracticeRack.h"
#include "play/Respot.h"

#include <algorithm>

namespace {

// Top of the rail above the bed, m (the model's 1.5 units).
constexpr float RailTop = 1.5f / SceneUnitsPerMetre;
// The foot rail's middle line: halfway between its inner line and its outer edge (33.5 units).
constexpr float TrayX = -(RailInnerX + 33.5f / SceneUnitsPerMetre) / 2.0f;
// Where a ball waits out of sight: under the bed, in no pocket's way.
const vec3 Hidden(0.0f, 0.0f, -1.0f);

} // namespace

vec3 TraySlot(int i)
{
    const float spacing = 2.0f * BallRadius + 0.005f;
    return vec3(TrayX, -7.0f * spacing + i * spacing, RailTop + BallRadius);
}

CPlaySession::CPlaySession()
    : table(PocketTable()), phase(InHand), shots(0), hand(), cueEntry(table.EntryOf(0)), kitchen(true)
{
    for (int k = 0; k < BallSlots; ++k) {
        sinkAge[k] = -1.0f;
        sunk[k] = false;
    }
}

void CPlaySession::Rack(Ball* balls, unsigned seed) { Rack(balls, seed, false); }

void CPlaySession::Rack(Ball* balls, unsigned seed, bool nineBall)
{
    table = PocketTable();
    table.events = &events;
    cueEntry = table.EntryOf(0);
    if (nineBall)
        RackNineBall(balls, table, seed);
    else
        RackPractice(balls, table, seed);
    events.Clear();
    shots = 0;
    tray.clear();
    for (int k = 0; k < BallSlots; ++k) {
        sinkAge[k] = -1.0f;
        sunk[k] = false;
    }
    TakeInHand(balls, true);
    hand = balls[cueEntry].position = vec3(HeadStringX, 0.0f, BallRadius);
}

void CPlaySession::Resume(Phase atPhase, int shotCount, int cue, bool kitchenOnly)
{
    phase = atPhase;
    shots = shotCount;
    cueEntry = cue;
    kitchen = kitchenOnly;
    table.events = &events;
}

bool CPlaySession::Sinking() const
{
    for (int k = FirstBall; k <= LastBall; ++k)
        if (sinkAge[k] >= 0.0f)
            return true;
    return false;
}

void CPlaySession::TakeInHand(Ball* balls, bool kitchenOnly)
{
    phase = InHand;
    kitchen = kitchenOnly;
    table.potted[cueEntry] = true;
    table.pocket[cueEntry] = -1;
    sunk[cueEntry] = false;
    Ball& b = balls[cueEntry];
    b.velocity = vec3();
    b.angularVelocity = vec3();
    float x = hand.x, y = hand.y;
    if (kitchen || CheckPlacement(balls, table, cueEntry, x, y, kitchen) != Placement::Allowed) {
        x = HeadStringX;
        y = 0.0f;
    }
    ClampToHandArea(x, y, kitchen);
    hand = vec3(x, y, BallRadius);
    b.position = hand;
}

// A sunk ball goes to the tray; the cue ball waits out of sight for the hand.
void CPlaySession::Settle(Ball* balls, int k)
{
    sinkAge[k] = -1.0f;
    sunk[k] = true;
    if (table.number[k] == 0) {
        balls[k].position = Hidden;
        return;
    }
    balls[k].position = TraySlot(static_cast<int>(tray.size()));
    balls[k].rotation = vec3();
    tray.push_back(table.number[k]);
}

void CPlaySession::Advance(Ball* balls, float dt)
{
    for (int k = FirstBall; k <= LastBall; ++k) {
        if (!table.potted[k] || table.pocket[k] < 0)
            continue;
        if (sunk[k])
            continue;
        // Newly dropped: start sinking from the pocket's centre.
        if (sinkAge[k] < 0.0f)
            sinkAge[k] = 0.0f;
        sinkAge[k] += dt;
        const int p = table.pocket[k];
        const float depth = 4.0f * BallRadius * (sinkAge[k] / SinkSeconds);
        balls[k].position = vec3(PocketCentreX(p), PocketCentreY(p), BallRadius - depth);
        if (sinkAge[k] >= SinkSeconds)
            Settle(balls, k);
    }
    if (phase != Rolling || Sinking() || !table.Resting(balls, PlayRestSpeed))
        return;
    if (table.potted[cueEntry])
        TakeInHand(balls, shots <= 1); // before the break, or a scratch on it
    else
        phase = Aim;
}

bool CPlaySession::Strike(Ball* balls, const vec3& velocity)
{
    if (phase != Aim)
        return false;
    events.Clear();
    table.events = &events;
    balls[cueEntry].velocity = velocity;
    ++shots;
    phase = Rolling;
    return true;
}

Placement CPlaySession::MoveHand(Ball* balls, float dx, float dy)
{
    if (phase != InHand)
        return Placement::OffCloth;
    float x = hand.x + dx, y = hand.y + dy;
    ClampToHandArea(x, y, kitchen);
    hand = vec3(x, y, BallRadius);
    balls[cueEntry].position = hand;
    return CheckPlacement(balls, table, cueEntry, x, y, kitchen);
}

Placement CPlaySession::PlaceHand(Ball* balls)
{
    if (phase != InHand)
        return Placement::OffCloth;
    const Placement p = CheckPlacement(balls, table, cueEntry, hand.x, hand.y, kitchen);
    if (p != Placement::Allowed)
        return p;
    Ball& b = balls[cueEntry];
    b.position = hand;
    b.velocity = vec3();
    b.angularVelocity = vec3();
    table.potted[cueEntry] = false;
    table.pocket[cueEntry] = -1;
    phase = Aim;
    return p;
}

void CPlaySession::GiveHand(Ball* balls, bool kitchenOnly)
{
    // Picked up where it rests; a scratched cue ball waits where the hand was.
    if (!table.potted[cueEntry])
        hand = balls[cueEntry].position;
    TakeInHand(balls, kitchenOnly);
}

bool CPlaySession::Respot(Ball* balls, int number)
{
    const int k = table.EntryOf(number);
    if (k < 0 || !table.potted[k] || !RespotBall(balls, table, number))
        return false;
    sinkAge[k] = -1.0f;
    sunk[k] = false;
    tray.erase(std::remove(tray.begin(), tray.end(), number), tray.end());
    for (size_t i = 0; i < tray.size(); ++i)
        balls[table.EntryOf(tray[i])].position = TraySlot(static_cast<int>(i));
    return true;
}

bool CPlaySession::Shown(int k) const
{
    if (k < FirstBall || k > LastBall)
        return false;
    if (!table.potted[k])
        return true;
    if (k == cueEntry)
        return phase == InHand || (table.pocket[k] >= 0 && !sunk[k]);
    return table.pocket[k] >= 0; // sinking into its pocket, or in the tray
}
