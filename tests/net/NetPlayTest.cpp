// Two table games in one process playing over ENet on 127.0.0.1: whole racks, a poor link, faults.
#include <gtest/gtest.h>

#include <enet/enet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "game/TableGame.h"
#include "net/NetSession.h"
#include "net/PhysicsVersion.h"
#include "opponent/Opponent.h"
#include "opponent/ShotPlanner.h"
#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"
#include "physics/Units.h"
#include "tests/net/LossyRelay.h"
#include "tests/support/DefaultWorld.h"

namespace {

using Clock = std::chrono::steady_clock;

// One machine's side: its table, its session and the computer that chooses its shots.
struct Side {
    explicit Side(NetSettings s) : net(game, s) {}
    CTableGame game;
    CNetSession net;
    COpponent computer;
    unsigned seed = 1;
    // Seconds of play a frame hands the table: the balls roll at many times
    // real time here, as the network's times are the test's subject.
    float frameSeconds = 0.1f;
    // The computer shoots only while the match has had fewer strikes than this.
    std::uint32_t stopAt = 0xffffffffu;
    std::vector<std::string> log;

    // The computer's search on this table's position, on its worker (a
    // lighter search than the game's, so that a rack takes seconds).
    void StartDecision()
    {
        OpponentSettings s;
        s.level = 3;
        s.seed = seed++;
        s.lines = 6;
        s.speeds = 2;
        s.refine = 2;
        s.fan = 12;
        s.robust = 1;
        s.shotSeconds = 10.0;
        computer.Start(ViewOf(game.Balls(), game.Session().table, game.Match().rules,
                              game.Phase() == CPlaySession::InHand, game.Session().Kitchen()),
                       s);
        thinkingAt = net.Strikes();
        thinking = true;
    }
    // The decision as a command (waits for it when it is not ready).
    ShotCommand TakeDecision()
    {
        const OpponentShot shot = computer.Take();
        thinking = false;
        ShotCommand c;
        c.heading = shot.angle;
        c.speed = std::clamp(shot.strength / SceneUnitsPerMetre, MinShotSpeed, MaxShotSpeed);
        c.place = game.Phase() == CPlaySession::InHand;
        c.cue = shot.place ? shot.cue : game.Session().hand;
        return c;
    }
    ShotCommand Decide()
    {
        StartDecision();
        return TakeDecision();
    }

    // One frame; the computer thinks while both sides go on polling (a search
    // that held the loop would starve the link), and shoots once it has decided.
    void Frame(bool shoot)
    {
        net.Frame(frameSeconds);
        for (const GameEvent& e : game.TakeEvents())
            log.push_back(e.text);
        for (const std::string& line : net.TakeLog())
            log.push_back(line);
        if (!shoot || net.Strikes() >= stopAt)
            return;
        if (!thinking) {
            if (net.LocalToPlay())
                StartDecision();
            return;
        }
        if (!computer.Ready())
            return;
        const ShotCommand c = TakeDecision();
        // A decision for a table that has moved on since (a state taken) is dropped.
        if (net.Strikes() == thinkingAt && net.LocalToPlay()) {
            EXPECT_TRUE(net.Shoot(c)) << "shot " << net.Strikes() << " refused";
        }
    }

    bool thinking = false;
    std::uint32_t thinkingAt = 0;
};

// Wall-clock limits are stretched under the sanitizers, whose builds think slower.
#if defined(__SANITIZE_THREAD__)
constexpr double Slack = 10.0;
#elif defined(__SANITIZE_ADDRESS__)
constexpr double Slack = 4.0;
#else
constexpr double Slack = 1.0;
#endif

NetSettings Quick()
{
    NetSettings s;
    s.nextRackSeconds = 1e9; // one rack per test
    return s;
}

// Runs both sides (and the relay) until `done` or `seconds` of wall clock pass.
template <class Done>
bool RunUntil(Side& a, Side& b, CLossyRelay* relay, double seconds, Done done, bool shoot = true)
{
    const Clock::time_point end =
        Clock::now() +
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds * Slack));
    while (Clock::now() < end) {
        if (relay)
            relay->Pump();
        a.Frame(shoot);
        b.Frame(shoot);
        if (relay)
            relay->Pump();
        if (done())
            return true;
        // The balls roll at several times real time: a frame is a millisecond here.
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return false;
}

bool RackOverOnBoth(Side& h, Side& j)
{
    return h.game.Match().rules.RackOver() && j.game.Match().rules.RackOver() && h.net.InStep() &&
           j.net.InStep() && h.net.Strikes() == j.net.Strikes();
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& l : lines)
        s += l + "\n";
    return s;
}

// Host and joiner connected (through `relay` when given) and both playing.
void Connect(Side& h, Side& j, CLossyRelay* relay, std::uint16_t hostPort)
{
    std::string error;
    ASSERT_TRUE(j.net.Join("127.0.0.1", relay ? relay->Port() : hostPort, error)) << error;
    ASSERT_TRUE(RunUntil(
        h, j, relay, 20.0,
        [&] {
            return h.net.GetStatus() == CNetSession::Status::Playing &&
                   j.net.GetStatus() == CNetSession::Status::Playing;
        },
        false))
        << "host " << NetStatusName(h.net.GetStatus()) << " " << h.net.Notice() << "; joiner "
        << NetStatusName(j.net.GetStatus()) << " " << j.net.Notice();
}

// A whole rack of 8-ball: the same hash on both tables after every shot, no
// mismatch, the same winner.
void PlayWholeRack(Side& h, Side& j, CLossyRelay* relay, double seconds)
{
    ASSERT_TRUE(RunUntil(h, j, relay, seconds, [&] { return RackOverOnBoth(h, j); }))
        << "no end of the rack after " << h.net.Strikes() << " shots; host "
        << NetStatusName(h.net.GetStatus()) << " " << h.net.Notice() << "; joiner "
        << NetStatusName(j.net.GetStatus()) << " " << j.net.Notice() << "\n"
        << Joined(j.log);
    EXPECT_GE(h.net.Strikes(), 3u);
    EXPECT_EQ(h.net.RestHistory(), j.net.RestHistory());
    EXPECT_EQ(h.net.RestHistory().size(), h.net.Strikes());
    EXPECT_EQ(h.net.Mismatches(), 0);
    EXPECT_EQ(j.net.Mismatches(), 0);
    EXPECT_EQ(h.game.Match().rules.Winner(), j.game.Match().rules.Winner());
    EXPECT_GE(h.game.Match().rules.Winner(), 0);
    EXPECT_EQ(StateHash(h.game.State()), StateHash(j.game.State()));
}

class NetPlay : public ::testing::Test {
protected:
    CDefaultWorld world;
};

// Straight over the loopback address: a whole rack, the computer choosing both
// sides' shots, every shot's table alike on both machines.
TEST_F(NetPlay, WholeEightBallRackOverLoopbackKeepsBothTablesAlike)
{
    Side h(Quick()), j(Quick());
    j.seed = 1000;
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeEightBall, 4242, error)) << error;
    Connect(h, j, nullptr, h.net.Port());
    EXPECT_EQ(j.game.Mode(), ModeEightBall);
    EXPECT_EQ(StateHash(h.game.State()), StateHash(j.game.State())) << "the racks differ";
    PlayWholeRack(h, j, nullptr, 60.0);
    printf("loopback: %u shots, winner side %d, %llu bytes sent by the host, %llu by the joiner; "
           "%.0f bytes of shot, hash and state payload per shot\n",
           h.net.Strikes(), h.game.Match().rules.Winner(),
           static_cast<unsigned long long>(h.net.BytesSent()),
           static_cast<unsigned long long>(j.net.BytesSent()),
           static_cast<double>(h.net.ShotBytesSent() + j.net.ShotBytesSent()) / h.net.Strikes());
}

// 10% of the packets lost and 200 ms of delay each way (the relay): the same
// tables after every shot, the same winner.
TEST_F(NetPlay, LossAndDelayStillKeepBothTablesAlike)
{
    NetSettings s = Quick();
    Side h(s), j(s);
    j.seed = 1000;
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeEightBall, 4242, error)) << error;
    CLossyRelay relay(h.net.Port(), 0.10, 200, 1);
    Connect(h, j, &relay, h.net.Port());
    PlayWholeRack(h, j, &relay, 120.0);
    printf("10%% loss, 200 ms each way: %u shots, %ld packets forwarded, %ld dropped (%.1f%%)\n",
           h.net.Strikes(), relay.Forwarded(), relay.Dropped(),
           100.0 * relay.Dropped() / (relay.Forwarded() + relay.Dropped()));
    // The seeded draws drop about one packet in ten here.
    EXPECT_GE(relay.Dropped() * 20, relay.Forwarded() + relay.Dropped()) << "under 5% lost";
}

// A host and a joiner of other physics (or protocol) versions: both refuse,
// each saying the two versions; nothing is racked at the joiner.
TEST_F(NetPlay, VersionMismatchIsRefusedOnBothSides)
{
    NetSettings other = Quick();
    other.physicsVersion = 0x1234;
    Side h(other), j(Quick());
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeNineBall, 1, error)) << error;
    ASSERT_TRUE(j.net.Join("127.0.0.1", h.net.Port(), error)) << error;
    ASSERT_TRUE(RunUntil(
        h, j, nullptr, 20.0,
        [&] {
            return j.net.GetStatus() == CNetSession::Status::Ended &&
                   h.net.Notice().find("versions differ") != std::string::npos;
        },
        false))
        << "joiner: " << j.net.Notice() << "; host: " << h.net.Notice();
    EXPECT_NE(j.net.Notice().find("versions differ"), std::string::npos) << j.net.Notice();
    EXPECT_NE(j.net.Notice().find("0000000000001234"), std::string::npos) << j.net.Notice();
    EXPECT_NE(h.net.Notice().find("0000000000001234"), std::string::npos) << h.net.Notice();
    EXPECT_NE(h.net.GetStatus(), CNetSession::Status::Playing);
    EXPECT_NE(j.game.Mode(), ModeNineBall) << "the joiner racked a refused game";

    NetSettings oldProtocol = Quick();
    oldProtocol.protocolVersion = ProtocolVersion + 1;
    Side j2(oldProtocol);
    ASSERT_TRUE(j2.net.Join("127.0.0.1", h.net.Port(), error)) << error;
    ASSERT_TRUE(RunUntil(
        h, j2, nullptr, 20.0, [&] { return j2.net.GetStatus() == CNetSession::Status::Ended; },
        false));
    EXPECT_NE(j2.net.Notice().find("protocol " + std::to_string(ProtocolVersion + 1)),
              std::string::npos)
        << j2.net.Notice();
}

// A second joiner is told the host is full; the first plays on.
TEST_F(NetPlay, SecondJoinerIsRefusedAsFull)
{
    Side h(Quick()), j(Quick()), third(Quick());
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeEightBall, 9, error)) << error;
    Connect(h, j, nullptr, h.net.Port());
    ASSERT_TRUE(third.net.Join("127.0.0.1", h.net.Port(), error)) << error;
    ASSERT_TRUE(RunUntil(
        h, third, nullptr, 20.0,
        [&] { return third.net.GetStatus() == CNetSession::Status::Ended; }, false))
        << third.net.Notice();
    EXPECT_NE(third.net.Notice().find("full"), std::string::npos) << third.net.Notice();
    j.Frame(false);
    EXPECT_EQ(h.net.GetStatus(), CNetSession::Status::Playing);
    EXPECT_EQ(j.net.GetStatus(), CNetSession::Status::Playing);
}

// The link cut for longer than the timeout: both sides say the opponent was
// lost and wait; the joiner comes back within the window, takes the host's
// table where it was, and the rack is played out alike.
TEST_F(NetPlay, DisconnectAndRejoinResumesTheRack)
{
    NetSettings s = Quick();
    s.timeoutMs = 1500; // the game's 10 s, shortened so the test is quick
    Side h(s), j(s);
    j.seed = 1000;
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeEightBall, 4242, error)) << error;
    CLossyRelay relay(h.net.Port(), 0.0, 0, 1);
    Connect(h, j, &relay, h.net.Port());
    h.stopAt = j.stopAt = 3;
    ASSERT_TRUE(RunUntil(h, j, &relay, 60.0, [&] {
        return h.net.Strikes() == 3 && h.net.InStep() && j.net.InStep() && j.net.Strikes() == 3;
    }));
    const std::uint32_t before = h.net.Strikes();
    const std::uint64_t hashBefore = StateHash(h.game.State());
    relay.Cut(true);
    ASSERT_TRUE(RunUntil(
        h, j, &relay, 20.0,
        [&] {
            return h.net.GetStatus() == CNetSession::Status::Waiting &&
                   j.net.GetStatus() == CNetSession::Status::Waiting;
        },
        false))
        << "host " << h.net.Notice() << "; joiner " << j.net.Notice();
    EXPECT_NE(h.net.Notice().find("lost"), std::string::npos) << h.net.Notice();
    EXPECT_FALSE(h.net.LocalToPlay());
    EXPECT_FALSE(j.net.LocalToPlay());
    EXPECT_EQ(StateHash(h.game.State()), hashBefore) << "the host's table moved while waiting";
    relay.Cut(false);
    ASSERT_TRUE(RunUntil(
        h, j, &relay, 30.0,
        [&] {
            return h.net.GetStatus() == CNetSession::Status::Playing &&
                   j.net.GetStatus() == CNetSession::Status::Playing && j.net.InStep() &&
                   h.net.InStep();
        },
        false))
        << "host " << h.net.Notice() << "; joiner " << j.net.Notice();
    EXPECT_EQ(j.net.Strikes(), before);
    EXPECT_EQ(StateHash(j.game.State()), hashBefore) << "the joiner did not resume the rack";
    EXPECT_NE(Joined(j.log).find("took the host's table"), std::string::npos) << Joined(j.log);
    h.stopAt = j.stopAt = 0xffffffffu;
    ASSERT_TRUE(RunUntil(h, j, &relay, 90.0, [&] { return RackOverOnBoth(h, j); }));
    EXPECT_EQ(h.game.Match().rules.Winner(), j.game.Match().rules.Winner());
    EXPECT_EQ(StateHash(h.game.State()), StateHash(j.game.State()));
}

// A table put out of step on purpose (a ball nudged on the joiner's table):
// the next rest's hashes differ, the host's state is sent and taken, both log
// it, and the tables are alike again.
TEST_F(NetPlay, MismatchAdoptsTheHostsTableAndBothLogIt)
{
    Side h(Quick()), j(Quick());
    j.seed = 1000;
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeEightBall, 4242, error)) << error;
    Connect(h, j, nullptr, h.net.Port());
    h.stopAt = j.stopAt = 2;
    ASSERT_TRUE(RunUntil(h, j, nullptr, 30.0, [&] {
        return h.net.Strikes() == 2 && h.net.InStep() && j.net.InStep() && j.net.Strikes() == 2;
    }));
    TableState nudged = j.game.State();
    for (int k = FirstBall; k <= LastBall; ++k)
        if (!nudged.potted[k] && nudged.number[k] != 0) {
            nudged.position[k].x += 0.003f;
            break;
        }
    ASSERT_TRUE(j.game.Adopt(nudged));
    const std::uint32_t at = h.net.Strikes();
    h.stopAt = j.stopAt = at + 1;
    ASSERT_TRUE(RunUntil(h, j, nullptr, 30.0,
                         [&] {
                             return h.net.Strikes() == at + 1 && h.net.InStep() && j.net.InStep() &&
                                    j.net.Strikes() == at + 1;
                         }))
        << "at " << at << " mismatches " << h.net.Mismatches() << " " << j.net.Mismatches()
        << " instep " << h.net.InStep() << j.net.InStep() << " history "
        << h.net.RestHistory().size() << " " << j.net.RestHistory().size() << "\n"
        << "host " << h.net.Strikes() << " " << NetStatusName(h.net.GetStatus()) << " "
        << h.net.Notice() << "\n"
        << Joined(h.log) << "joiner " << j.net.Strikes() << " " << NetStatusName(j.net.GetStatus())
        << " " << j.net.Notice() << "\n"
        << Joined(j.log);
    EXPECT_EQ(h.net.Mismatches(), 1);
    EXPECT_EQ(j.net.Mismatches(), 1);
    EXPECT_NE(Joined(h.log).find("the tables differ"), std::string::npos) << Joined(h.log);
    EXPECT_NE(Joined(j.log).find("took the host's table"), std::string::npos) << Joined(j.log);
    EXPECT_EQ(StateHash(h.game.State()), StateHash(j.game.State()));
}

// Leave ends the game for both, with a message on the other side.
TEST_F(NetPlay, LeaveEndsTheGameForBoth)
{
    Side h(Quick()), j(Quick());
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeNineBall, 3, error)) << error;
    Connect(h, j, nullptr, h.net.Port());
    j.net.Leave();
    ASSERT_TRUE(RunUntil(
        h, j, nullptr, 10.0, [&] { return h.net.GetStatus() == CNetSession::Status::Ended; },
        false));
    EXPECT_NE(h.net.Notice().find("left the game"), std::string::npos) << h.net.Notice();
    EXPECT_FALSE(h.net.LocalToPlay());
}

// A connection that sends junk after a proper hello: the host ends the game
// naming why, and its table is as it was.
TEST_F(NetPlay, GarbageFromThePeerEndsTheGameAndLeavesTheTable)
{
    Side h(Quick());
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeEightBall, 5, error)) << error;
    const std::uint64_t before = StateHash(h.game.State());
    ENetHost* raw = enet_host_create(nullptr, 1, 2, 0, 0);
    ASSERT_NE(raw, nullptr);
    ENetAddress a;
    enet_address_set_host(&a, "127.0.0.1");
    a.port = h.net.Port();
    ENetPeer* p = enet_host_connect(raw, &a, 2, 0);
    ASSERT_NE(p, nullptr);
    bool sent = false;
    const Clock::time_point end = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < end && h.net.GetStatus() != CNetSession::Status::Ended) {
        h.Frame(false);
        ENetEvent e;
        while (enet_host_service(raw, &e, 0) > 0) {
            if (e.type == ENET_EVENT_TYPE_CONNECT && !sent) {
                HelloMessage hello;
                hello.physics = PhysicsVersion();
                hello.token = 77;
                const std::vector<std::uint8_t> bytes = Encode(hello);
                enet_peer_send(
                    p, 0,
                    enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE));
                ShotMessage shot;
                shot.command.speed = MaxShotSpeed * 2.0f; // out of range once encoded
                std::vector<std::uint8_t> bad = Encode(shot);
                enet_peer_send(
                    p, 0, enet_packet_create(bad.data(), bad.size(), ENET_PACKET_FLAG_RELIABLE));
                sent = true;
            }
            if (e.type == ENET_EVENT_TYPE_RECEIVE)
                enet_packet_destroy(e.packet);
        }
        enet_host_flush(raw);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    enet_host_destroy(raw);
    ASSERT_EQ(h.net.GetStatus(), CNetSession::Status::Ended) << h.net.Notice();
    EXPECT_NE(h.net.Notice().find("speed out of range"), std::string::npos) << h.net.Notice();
    EXPECT_EQ(StateHash(h.game.State()), before);
}

// The figures for the closing note: strike-to-motion time over loopback
// (median of 20 shots) and the bytes each shot costs.
TEST_F(NetPlay, StrikeReachesTheOtherTableQuicklyOverLoopback)
{
    NetSettings s = Quick();
    s.nextRackSeconds = 0.0; // racks follow at once: 20 shots whatever the racks last
    s.timeoutMs = 600000;    // the decisions here hold the loop, the link with it
    Side h(s), j(s);
    std::string error;
    ASSERT_TRUE(h.net.Host(0, ModeNineBall, 77, error)) << error;
    Connect(h, j, nullptr, h.net.Port());
    std::vector<double> ms;
    for (int frames = 0; ms.size() < 20 && frames < 100000; ++frames) {
        Side& shooter = h.net.LocalToPlay() ? h : j;
        Side& other = &shooter == &h ? j : h;
        if (!shooter.net.LocalToPlay()) {
            h.Frame(false);
            j.Frame(false);
            continue;
        }
        const ShotCommand c = shooter.Decide();
        const std::uint32_t n = other.net.Strikes();
        const Clock::time_point struck = Clock::now();
        ASSERT_TRUE(shooter.net.Shoot(c));
        while (other.net.Strikes() == n && Clock::now() - struck < std::chrono::seconds(30))
            other.net.Frame(0.0f); // the balls move from the next frame on: time the strike only
        ms.push_back(
            std::chrono::duration<double, std::milli>(other.net.RemoteStrikeTime() - struck)
                .count());
        ASSERT_TRUE(RunUntil(
            h, j, nullptr, 30.0,
            [&] { return h.net.InStep() && j.net.InStep() && h.net.Strikes() == j.net.Strikes(); },
            false));
    }
    ASSERT_GE(ms.size(), 10u);
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    printf("strike to the other table over loopback: median %.3f ms of %zu shots (max %.3f); "
           "%.0f bytes sent per shot by both sides (ENet headers, acks and pings included), "
           "%.0f of them payload\n",
           median, ms.size(), ms.back(),
           static_cast<double>(h.net.BytesSent() + j.net.BytesSent()) / h.net.Strikes(),
           static_cast<double>(h.net.ShotBytesSent() + j.net.ShotBytesSent()) / h.net.Strikes());
    EXPECT_LT(median, 50.0);
}

} // namespace
