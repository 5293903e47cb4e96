// PhysicsVersion: the reference shots through the real table game, hashed.
#include "net/PhysicsVersion.h"

#include <mutex>

#include "game/TableGame.h"
#include "net/Message.h"
#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"

namespace {

void Mix(std::uint64_t& hash, const void* p, std::size_t n)
{
    const unsigned char* b = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) {
        hash ^= b[i];
        hash *= 1099511628211ull;
    }
}

// Plays `c` on `g` to rest at 60 frames a second, hashing every step's balls.
void PlayOut(CTableGame& g, const ShotCommand& c, std::uint64_t& hash)
{
    if (!g.Shoot(c)) {
        Mix(hash, "refused", 7);
        return;
    }
    for (int n = 0; n < 7200 && g.Phase() == CPlaySession::Rolling; ++n) {
        g.Update(1.0f / 60.0f);
        for (int k = FirstBall; k <= LastBall; ++k) {
            const Ball& b = g.Balls()[k];
            Mix(hash, &b.position, sizeof b.position);
            Mix(hash, &b.rotation, sizeof b.rotation);
        }
    }
    g.TakeEvents();
    const std::uint64_t state = StateHash(g.State());
    Mix(hash, &state, sizeof state);
}

} // namespace

std::uint64_t ReferenceGameHash()
{
    std::uint64_t hash = 1469598103934665603ull;
    // 9-ball: a full break from the head string, off centre, with top spin.
    {
        CTableGame g(11);
        g.Begin(ModeNineBall, 0);
        ShotCommand c;
        c.heading = 180.4f;
        c.speed = MaxShotSpeed;
        c.strike.top = 0.2f;
        c.place = true;
        c.cue = vec3(HeadStringX + 0.1f, 0.05f, BallRadius);
        PlayOut(g, c, hash);
    }
    // 8-ball: the break, then shots with side, draw and a soft one, with the
    // cue ball placed whenever it is in hand.
    {
        CTableGame g(29);
        g.Begin(ModeEightBall, 0);
        const float headings[] = {179.2f, 37.0f, 211.5f, 300.0f, 95.25f};
        const float speeds[] = {MaxShotSpeed, 4.5f, 6.0f, MinShotSpeed, 3.0f};
        const float sides[] = {0.0f, 0.3f, -0.25f, 0.0f, 0.1f};
        const float tops[] = {0.0f, -0.3f, 0.2f, 0.0f, 0.35f};
        for (int s = 0; s < 5 && !g.Match().rules.RackOver(); ++s) {
            ShotCommand c;
            c.heading = headings[s];
            c.speed = speeds[s];
            c.strike.side = sides[s];
            c.strike.top = tops[s];
            c.place = g.Phase() == CPlaySession::InHand;
            const bool kitchen = g.Session().Kitchen();
            // The first free spot of a short list, behind the head string when it must be.
            const float xs[] = {HeadStringX + 0.15f, 0.9f, -0.6f, 0.2f};
            for (float x : xs) {
                c.cue =
                    vec3(kitchen && x < HeadStringX ? HeadStringX + 0.2f : x, -0.2f, BallRadius);
                if (!c.place || CheckPlacement(g.Balls(), g.Session().table, g.CueEntry(), c.cue.x,
                                               c.cue.y, kitchen) == Placement::Allowed)
                    break;
            }
            PlayOut(g, c, hash);
        }
    }
    return hash;
}

std::uint64_t PhysicsVersion()
{
    // Worked out again only when the globals the passes read have changed.
    static std::mutex lock;
    static float gravity = 0.0f, viscosity = 0.0f;
    static std::uint64_t version = 0;
    std::lock_guard<std::mutex> hold(lock);
    if (version == 0 || gravity != Gravity || viscosity != Viscosity) {
        gravity = Gravity;
        viscosity = Viscosity;
        version = ReferenceGameHash();
        const std::uint16_t protocol = ProtocolVersion;
        Mix(version, &protocol, sizeof protocol);
    }
    return version;
}
