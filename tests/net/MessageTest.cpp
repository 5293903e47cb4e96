// The network's messages: round trips, the decoder's refusals, the table's hash, the versions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "game/TableGame.h"
#include "net/Message.h"
#include "net/NetAddress.h"
#include "net/PhysicsVersion.h"
#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "tests/support/DefaultWorld.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A table after a break and a placed shot: balls potted, in the tray, in hand maybe.
TableState PlayedState()
{
    CTableGame g(17);
    g.Begin(ModeEightBall, 0);
    ShotCommand c;
    c.heading = 180.0f;
    c.speed = MaxShotSpeed;
    c.place = true;
    c.cue = vec3(HeadStringX + 0.1f, 0.0f, BallRadius);
    EXPECT_TRUE(g.Shoot(c));
    for (int n = 0; n < 7200 && g.Phase() == CPlaySession::Rolling; ++n)
        g.Update(1.0f / 60.0f);
    return g.State();
}

// One valid message of each type, encoded.
std::vector<Bytes> EveryType()
{
    HelloMessage hello;
    hello.physics = 0x0123456789abcdefull;
    hello.mode = ModeNineBall;
    hello.seed = 99;
    ShotMessage shot;
    shot.shot = 4;
    shot.command.heading = 359.5f;
    shot.command.speed = 3.0f;
    shot.command.strike.side = 0.3f;
    shot.command.strike.top = -0.35f;
    shot.command.place = true;
    shot.command.cue = vec3(0.5f, -0.3f, BallRadius);
    AimMessage aim;
    aim.heading = 12.0f;
    aim.power = CueMinPower;
    RestHashMessage hash;
    hash.shot = 4;
    hash.hash = 0xfeedull;
    StateMessage state;
    state.shot = 1;
    state.state = PlayedState();
    NextRackMessage next;
    next.shot = 30;
    LeaveMessage leave;
    leave.reason = LeaveReason::Versions;
    leave.text = "versions differ";
    return {Encode(hello), Encode(shot), Encode(aim),  Encode(hash),
            Encode(state), Encode(next), Encode(leave)};
}

bool Decodes(const Bytes& b, std::string* why = nullptr)
{
    Message m;
    std::string w;
    const bool ok = DecodeMessage(b.data(), b.size(), m, w);
    if (why)
        *why = w;
    if (!ok) {
        EXPECT_FALSE(w.empty()) << "a refusal without a reason";
    }
    return ok;
}

class NetMessage : public ::testing::Test {
protected:
    CDefaultWorld world;
};

// Every type decodes to what was encoded, and encodes again to the same bytes.
TEST_F(NetMessage, EveryTypeRoundTripsExactly)
{
    for (const Bytes& b : EveryType()) {
        Message m;
        std::string why;
        ASSERT_TRUE(DecodeMessage(b.data(), b.size(), m, why))
            << "type " << int(b[0]) << ": " << why;
        EXPECT_EQ(static_cast<int>(m.type), b[0]);
        if (m.type == MessageType::Hello) {
            EXPECT_EQ(m.hello.physics, 0x0123456789abcdefull);
        }
        if (m.type == MessageType::Shot) {
            EXPECT_EQ(m.shot.command.heading, 359.5f);
            EXPECT_TRUE(m.shot.command.place);
        }
        if (m.type == MessageType::State) {
            EXPECT_EQ(StateHash(m.state.state), StateHash(PlayedState()));
        }
        if (m.type == MessageType::Leave) {
            EXPECT_EQ(m.leave.text, "versions differ");
        }
        const Bytes again = Encode(m);
        EXPECT_EQ(again, b) << "type " << int(b[0]);
    }
}

// Cut at every length, or one byte longer, every message is refused.
TEST_F(NetMessage, TruncatedAndOversizedMessagesAreRefused)
{
    for (const Bytes& b : EveryType()) {
        for (std::size_t n = 0; n < b.size(); ++n) {
            const Bytes cut(b.begin(), b.begin() + static_cast<long>(n));
            EXPECT_FALSE(Decodes(cut)) << "type " << int(b[0]) << " cut to " << n;
        }
        Bytes longer = b;
        longer.push_back(0);
        std::string why;
        EXPECT_FALSE(Decodes(longer, &why)) << "type " << int(b[0]);
        EXPECT_NE(why.find("too long"), std::string::npos) << why;
    }
    EXPECT_FALSE(Decodes(Bytes(MaxMessageBytes + 1, 2)));
    Message m;
    std::string why;
    EXPECT_FALSE(DecodeMessage(nullptr, 0, m, why)) << "nothing at all";
}

TEST_F(NetMessage, UnknownTypesAreRefused)
{
    for (int type : {0, 8, 9, 100, 255}) {
        std::string why;
        EXPECT_FALSE(Decodes(Bytes{static_cast<std::uint8_t>(type), 0, 0, 0, 0}, &why));
        EXPECT_NE(why.find("unknown message type"), std::string::npos) << why;
    }
}

// A heading, speed, strike point or placement the game does not allow is refused.
TEST_F(NetMessage, ShotsOutsideWhatTheGameAllowsAreRefused)
{
    struct Case {
        const char* what;
        void (*change)(ShotCommand&);
    };
    const Case cases[] = {
        {"heading 360", [](ShotCommand& c) { c.heading = 360.0f; }},
        {"heading -1", [](ShotCommand& c) { c.heading = -1.0f; }},
        {"heading NaN",
         [](ShotCommand& c) { c.heading = std::numeric_limits<float>::quiet_NaN(); }},
        {"speed low", [](ShotCommand& c) { c.speed = SoftestShotSpeed * 0.99f; }},
        {"speed high", [](ShotCommand& c) { c.speed = MaxShotSpeed * 1.01f; }},
        {"speed inf", [](ShotCommand& c) { c.speed = std::numeric_limits<float>::infinity(); }},
        {"strike off the ball", [](ShotCommand& c) { c.strike.side = 0.4f, c.strike.top = 0.4f; }},
        {"strike NaN",
         [](ShotCommand& c) { c.strike.top = std::numeric_limits<float>::quiet_NaN(); }},
        {"placed off the cloth", [](ShotCommand& c) { c.place = true, c.cue.x = CushionX; }},
        {"placed far away", [](ShotCommand& c) { c.place = true, c.cue.y = -5.0f; }},
    };
    for (const Case& k : cases) {
        ShotMessage m;
        m.command.heading = 10.0f;
        m.command.speed = 2.0f;
        m.command.cue = vec3(0.0f, 0.0f, BallRadius);
        ASSERT_TRUE(Decodes(Encode(m)));
        k.change(m.command);
        EXPECT_FALSE(Decodes(Encode(m))) << k.what;
    }
    // The edges themselves are allowed.
    ShotMessage edge;
    edge.command.heading = 0.0f;
    edge.command.speed = MaxShotSpeed;
    edge.command.strike.side = MaxStrikeOffset;
    edge.command.place = true;
    edge.command.cue = vec3(CushionX - BallRadius, -(CushionY - BallRadius), BallRadius);
    EXPECT_TRUE(Decodes(Encode(edge)));
    // The play modes' touch shot, the softest a player can strike, crosses too.
    edge.command.speed = SoftestShotSpeed;
    EXPECT_TRUE(Decodes(Encode(edge)));
    // A yes/no byte that is neither.
    Bytes b = Encode(edge);
    b[1 + 4 + 16] = 2; // the place byte after the shot count and four floats
    std::string why;
    EXPECT_FALSE(Decodes(b, &why));
    EXPECT_NE(why.find("yes/no"), std::string::npos) << why;
}

// A state that no table game could be in is refused by the decoder (and by Adopt).
TEST_F(NetMessage, ImpossibleStatesAreRefused)
{
    const TableState good = PlayedState();
    std::string why;
    ASSERT_TRUE(TableStateValid(good, why)) << why;
    std::vector<TableState> bad(8, good);
    bad[0].number[3] = bad[0].number[4];            // a ball twice
    bad[1].cueEntry = bad[1].cueEntry == 1 ? 2 : 1; // the cue ball's entry holds another
    bad[2].position[5].x = std::numeric_limits<float>::quiet_NaN();
    bad[3].rack.turn = 2;
    bad[4].tray = {3, 3};
    bad[5].draws = MaxGeneratorDraws + 1;
    bad[6].position[7].y = 50.0f;
    bad[7].rack.game = GameKind::NineBall; // an 8-ball game with a 9-ball rack
    for (std::size_t i = 0; i < bad.size(); ++i) {
        StateMessage m;
        m.state = bad[i];
        EXPECT_FALSE(Decodes(Encode(m))) << "case " << i;
        CTableGame g(1);
        g.Begin(ModeEightBall, 0);
        const std::uint64_t before = StateHash(g.State());
        EXPECT_FALSE(g.Adopt(bad[i])) << "case " << i;
        EXPECT_EQ(StateHash(g.State()), before) << "case " << i << " changed the table";
    }
}

// State then Adopt on another game: the same hash, and the two tables play the
// next shot to the same bits (the generator included).
TEST_F(NetMessage, AdoptedStatePlaysOnExactlyLikeTheOriginal)
{
    CTableGame a(17), b(4);
    a.Begin(ModeEightBall, 0);
    b.Begin(ModeNineBall, 0);
    ShotCommand c;
    c.heading = 180.0f;
    c.speed = MaxShotSpeed;
    c.place = true;
    c.cue = vec3(HeadStringX + 0.1f, 0.0f, BallRadius);
    ASSERT_TRUE(a.Shoot(c));
    for (int n = 0; n < 7200 && a.Phase() == CPlaySession::Rolling; ++n)
        a.Update(1.0f / 60.0f);
    ASSERT_TRUE(b.Adopt(a.State()));
    EXPECT_EQ(StateHash(a.State()), StateHash(b.State()));
    ShotCommand next;
    next.heading = 33.0f;
    next.speed = 5.0f;
    next.place = true;
    next.cue = vec3(0.9f, 0.4f, BallRadius);
    for (CTableGame* g : {&a, &b}) {
        ASSERT_TRUE(g->Shoot(next));
        for (int n = 0; n < 7200 && g->Phase() == CPlaySession::Rolling; ++n)
            g->Update(1.0f / 60.0f);
        if (g->Match().rules.RackOver())
            g->Rerack();
    }
    EXPECT_EQ(StateHash(a.State()), StateHash(b.State()));
}

// The physics version is the same on every call, and another gravity gives another.
TEST_F(NetMessage, PhysicsVersionIsStableAndFollowsThePasses)
{
    const std::uint64_t v = PhysicsVersion();
    EXPECT_EQ(PhysicsVersion(), v);
    EXPECT_NE(v, 0u);
    Gravity = 9.7f;
    EXPECT_NE(PhysicsVersion(), v) << "another gravity, the same version";
}

TEST_F(NetMessage, WireCommandBringsTheHeadingIntoRange)
{
    ShotCommand c;
    for (float h : {-720.5f, -0.0001f, 0.0f, 359.9999f, 360.0f, 1234.5f}) {
        c.heading = h;
        const float w = WireCommand(c).heading;
        EXPECT_GE(w, 0.0f) << h;
        EXPECT_LT(w, 360.0f) << h;
    }
}

TEST(NetAddress, HostAndPortAsTyped)
{
    std::string host, error;
    std::uint16_t port = 0;
    ASSERT_TRUE(ParseHostPort("127.0.0.1", host, port, error)) << error;
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, DefaultNetPort);
    ASSERT_TRUE(ParseHostPort("pool.example:4000", host, port, error)) << error;
    EXPECT_EQ(host, "pool.example");
    EXPECT_EQ(port, 4000);
    for (const char* bad : {"", ":27960", "host:0", "host:65536", "host:12a", "a b", "host:"})
        EXPECT_FALSE(ParseHostPort(bad, host, port, error)) << bad;
    EXPECT_FALSE(LocalAddresses().empty());
    EXPECT_EQ(LocalAddresses().back().rfind("127.", 0), 0u);
}

} // namespace
