// CNetSession: ENet polled from the frame, the hello, the shots, the hashes at rest, the faults.
#include "net/NetSession.h"

#include <enet/enet.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

#include "game/GameMode.h"
#include "net/PhysicsVersion.h"
#include "physics/ShotTuning.h"
#include "play/BallInHand.h"

namespace {

// Channel 0 carries everything that must arrive in order; channel 1 the aim,
// of which only the newest matters.
constexpr enet_uint8 ReliableChannel = 0;
constexpr enet_uint8 AimChannel = 1;
constexpr std::size_t Channels = 2;
// The host takes a second connection only to tell it it is full.
constexpr std::size_t HostPeers = 2;
// An aim older than this is no longer shown, s; a still one is sent again after the second.
constexpr double AimShownSeconds = 1.0;
constexpr double AimRepeatSeconds = 0.5;
// The local aim's shot number before the player has aimed this turn.
constexpr std::uint32_t NoAim = 0xffffffffu;

void InitEnet()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (enet_initialize() == 0)
            std::atexit(enet_deinitialize);
    });
}

// ENet takes packets up to 32 MB and reassembles them before we see them: no
// message of ours comes near MaxMessageBytes, so nothing larger is taken in.
void Limit(ENetHost* host)
{
    host->maximumPacketSize = MaxMessageBytes;
    host->maximumWaitingData = 64 * MaxMessageBytes;
}

double Since(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

std::string Hex(std::uint64_t v)
{
    char text[24];
    snprintf(text, sizeof text, "%016" PRIx64, v);
    return text;
}

} // namespace

const char* NetStatusName(CNetSession::Status s)
{
    switch (s) {
    case CNetSession::Status::Idle:
        return "idle";
    case CNetSession::Status::Listening:
        return "listening";
    case CNetSession::Status::Connecting:
        return "connecting";
    case CNetSession::Status::Playing:
        return "playing";
    case CNetSession::Status::Waiting:
        return "waiting";
    case CNetSession::Status::Ended:
        return "ended";
    }
    return "?";
}

CNetSession::CNetSession(CTableGame& g, NetSettings s) : game(g), settings(s)
{
    localAim.shot = NoAim;
    InitEnet();
    physics = settings.physicsVersion ? settings.physicsVersion : PhysicsVersion();
    protocol = settings.protocolVersion ? settings.protocolVersion : ProtocolVersion;
}

CNetSession::~CNetSession()
{
    if (host) {
        if (peer && status != Status::Ended) {
            LeaveMessage m;
            m.reason = LeaveReason::Left;
            Send(peer, Encode(m));
            enet_peer_disconnect_later(peer, 0);
        }
        enet_host_flush(host);
        enet_host_destroy(host);
    }
}

void CNetSession::Log(const std::string& line)
{
    log.push_back("net: " + line);
}

std::vector<std::string> CNetSession::TakeLog()
{
    std::vector<std::string> out;
    out.swap(log);
    return out;
}

std::uint64_t CNetSession::BytesSent() const
{
    return host ? host->totalSentData : 0;
}

bool CNetSession::Host(std::uint16_t listenPort, int gameMode, std::uint32_t rackSeed,
                       std::string& error)
{
    ENetAddress address;
    address.host = ENET_HOST_ANY;
    address.port = listenPort;
    host = enet_host_create(&address, HostPeers, Channels, 0, 0);
    if (!host) {
        error = "cannot listen on UDP port " + std::to_string(listenPort) +
                " (in use by another program?)";
        return false;
    }
    Limit(host);
    hosting = true;
    port = host->address.port; // the one the system gave when asked for 0
    mode = RulesMode(gameMode) ? gameMode : ModeEightBall;
    seed = rackSeed;
    game.Reseed(seed);
    game.Begin(mode, 0);
    begun = true;
    turnInHand = game.Phase() == CPlaySession::InHand;
    status = Status::Listening;
    notice = "waiting for an opponent on port " + std::to_string(port);
    Log("hosting " + std::string(ModeName(mode)) + " on UDP port " + std::to_string(port) +
        ", rack seed " + std::to_string(seed) + ", physics " + Hex(physics));
    return true;
}

bool CNetSession::Join(const std::string& name, std::uint16_t hostPort, std::string& error)
{
    host = enet_host_create(nullptr, 1, Channels, 0, 0);
    if (!host) {
        error = "cannot open a UDP socket";
        return false;
    }
    Limit(host);
    // The name is looked up once, here: a reconnect must not wait on a resolver in a frame.
    ENetAddress found;
    if (enet_address_set_host(&found, name.c_str()) != 0) {
        error = "cannot find host '" + name + "'";
        return false;
    }
    hostIp = found.host;
    hosting = false;
    hostName = name;
    port = hostPort;
    std::random_device device;
    token = ((static_cast<std::uint64_t>(device()) << 32) ^ device()) | 1u; // never 0
    if (!Reconnect()) {
        error = "cannot connect to '" + name + "'";
        return false;
    }
    status = Status::Connecting;
    notice = "connecting to " + name + ":" + std::to_string(port);
    Log("joining " + name + ":" + std::to_string(port) + ", physics " + Hex(physics));
    return true;
}

bool CNetSession::Reconnect()
{
    ENetAddress address;
    address.host = hostIp;
    address.port = port;
    peer = enet_host_connect(host, &address, Channels, 0);
    if (!peer)
        return false;
    // Each attempt waits as long as a silent peer is waited for: a frame that
    // comes late (a loaded machine) must not end an attempt whose answer is in.
    enet_peer_timeout(peer, 0, static_cast<enet_uint32>(settings.timeoutMs),
                      static_cast<enet_uint32>(settings.timeoutMs));
    return true;
}

void CNetSession::Send(_ENetPeer* p, const std::vector<std::uint8_t>& bytes, bool reliable)
{
    if (!p)
        return;
    ENetPacket* packet =
        enet_packet_create(bytes.data(), bytes.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (!packet)
        return;
    if (enet_peer_send(p, reliable ? ReliableChannel : AimChannel, packet) != 0)
        enet_packet_destroy(packet);
}

void CNetSession::Refuse(_ENetPeer* p, LeaveReason reason, const std::string& text)
{
    LeaveMessage m;
    m.reason = reason;
    m.text = text;
    Send(p, Encode(m));
    enet_peer_disconnect_later(p, 0);
}

void CNetSession::End(const std::string& why)
{
    status = Status::Ended;
    notice = why;
    queue.clear();
    Log("game over: " + why);
}

std::string CNetSession::VersionText(const HelloMessage& h) const
{
    return "opponent protocol " + std::to_string(h.protocol) + " physics " + Hex(h.physics) +
           ", this game protocol " + std::to_string(protocol) + " physics " + Hex(physics);
}

void CNetSession::Frame(float seconds)
{
    // The first attempt leaves with the first frame's poll (a slow start, a
    // level still loading, does not count against the host).
    if (status == Status::Connecting && connectAt == Clock::time_point())
        connectAt = Clock::now();
    if (host)
        Poll();
    Drain();
    game.Update(seconds);
    if (awaitingRest && game.Phase() != CPlaySession::Rolling)
        AtRest();
    Drain();
    Timers();
    if (host)
        enet_host_flush(host);
}

void CNetSession::Poll()
{
    ENetEvent e;
    // A zero timeout: whatever has arrived, and never a wait.
    while (host && enet_host_service(host, &e, 0) > 0) {
        switch (e.type) {
        case ENET_EVENT_TYPE_CONNECT:
            OnConnect(e.peer);
            break;
        case ENET_EVENT_TYPE_DISCONNECT:
            OnDisconnect(e.peer);
            break;
        case ENET_EVENT_TYPE_RECEIVE:
            OnReceive(e.peer, e.packet->data, e.packet->dataLength);
            enet_packet_destroy(e.packet);
            break;
        case ENET_EVENT_TYPE_NONE:
            break;
        }
    }
}

void CNetSession::OnConnect(_ENetPeer* p)
{
    enet_peer_timeout(p, 0, static_cast<enet_uint32>(settings.timeoutMs),
                      static_cast<enet_uint32>(settings.timeoutMs));
    if (!hosting) {
        // The host answered: say who we are.
        HelloMessage h;
        h.protocol = protocol;
        h.physics = physics;
        h.token = token;
        Send(p, Encode(h));
        return;
    }
    if (status == Status::Ended) {
        Refuse(p, LeaveReason::Left, "the game is over");
        return;
    }
    // Whoever it is, the rack's facts; its own hello (its token) decides whether it
    // is the opponent, the opponent back, or one too many.
    HelloMessage h;
    h.protocol = protocol;
    h.physics = physics;
    h.mode = static_cast<std::uint8_t>(mode);
    h.seed = seed;
    Send(p, Encode(h));
}

void CNetSession::OnDisconnect(_ENetPeer* p)
{
    if (p != peer)
        return; // a refused or stale connection
    peer = nullptr;
    switch (status) {
    case Status::Connecting:
        // No answer yet: the host may not be listening yet; try again, twice the timeout in all.
        if (Since(connectAt) * 1000.0 >= 2.0 * settings.timeoutMs)
            End("no answer from " + hostName + ":" + std::to_string(port));
        else if (!Reconnect())
            End("cannot reach " + hostName);
        return;
    case Status::Waiting:
        // A joiner's attempt to come back failed: again, until the window closes.
        if (!hosting && !Reconnect())
            End("cannot reach " + hostName);
        return;
    case Status::Playing:
        Lose("the opponent's connection was lost");
        return;
    default:
        return;
    }
}

void CNetSession::Lose(const std::string& why)
{
    status = Status::Waiting;
    lostAt = Clock::now();
    queue.clear();
    awaitingState = false;
    notice = why + ": waiting for them to come back (Escape: menu, Leave to end)";
    Log(why + "; waiting " + std::to_string(static_cast<int>(settings.rejoinSeconds)) +
        " s for a rejoin");
    if (!hosting && !Reconnect())
        End("cannot reach " + hostName);
}

void CNetSession::OnReceive(_ENetPeer* p, const std::uint8_t* data, std::size_t size)
{
    Message m;
    std::string why;
    if (!DecodeMessage(data, size, m, why)) {
        Refuse(p, LeaveReason::BadMessage, why);
        if (p == peer) {
            peer = nullptr;
            End("refused a message from the opponent: " + why);
        }
        return;
    }
    switch (m.type) {
    case MessageType::Hello:
        OnHello(p, m.hello);
        return;
    case MessageType::Leave:
        if (p == peer) {
            peer = nullptr;
            OnLeave(m.leave);
        }
        return;
    case MessageType::Aim:
        if (p == peer && m.aim.shot == strikes) {
            opponentAim = m.aim;
            opponentAimAt = Clock::now();
        }
        return;
    case MessageType::State:
        if (hosting) {
            Refuse(p, LeaveReason::BadMessage, "a state from the joiner");
            peer = nullptr;
            End("refused a message from the opponent: a state from the joiner");
            return;
        }
        break;
    case MessageType::NextRack:
        if (hosting) {
            Refuse(p, LeaveReason::BadMessage, "a new rack from the joiner");
            peer = nullptr;
            End("refused a message from the opponent: a new rack from the joiner");
            return;
        }
        break;
    default:
        break;
    }
    if (p != peer || status != Status::Playing)
        return; // a game message from no opponent of ours
    queue.push_back(m);
}

void CNetSession::OnHello(_ENetPeer* p, const HelloMessage& h)
{
    if (h.protocol != protocol || h.physics != physics) {
        const std::string text = "versions differ: " + VersionText(h);
        Refuse(p, LeaveReason::Versions, text);
        if (hosting) {
            Log("refused an opponent: " + text);
            notice = "refused an opponent: " + text;
            if (p == peer)
                peer = nullptr;
        } else {
            peer = nullptr;
            End(text);
        }
        return;
    }
    if (hosting) {
        if (h.mode != 0 || h.seed != 0 || h.token == 0) {
            Refuse(p, LeaveReason::BadMessage, "a host's hello from a joiner");
            return;
        }
        // Our opponent on a new connection: back after a loss, or before this
        // side noticed the old one had gone.
        const bool back = h.token == token &&
                          (status == Status::Waiting || (status == Status::Playing && peer != p));
        if (back && peer && peer != p) {
            enet_peer_reset(peer);
            peer = nullptr;
            lostAt = Clock::now();
        }
        if (back || status == Status::Waiting) {
            if (h.token != token) {
                Refuse(p, LeaveReason::Full, "the host waits for its opponent to come back");
                Log("refused another opponent while waiting for ours");
                return;
            }
            peer = p;
            status = Status::Playing;
            notice.clear();
            queue.clear(); // what the old connection brought is the state's to settle
            // The joiner takes the host's table whatever it has: the rack where it was.
            sendState = true;
            Log("the opponent came back after " + std::to_string(static_cast<int>(Since(lostAt))) +
                " s; sending the table");
            return;
        }
        if (peer && peer != p) {
            Refuse(p, LeaveReason::Full, "the host is already playing");
            return;
        }
        peer = p;
        token = h.token;
        status = Status::Playing;
        notice.clear();
        Log("an opponent joined");
        return;
    }
    // Joiner: the host's game.
    if (h.mode == 0 || h.token != 0) {
        Refuse(p, LeaveReason::BadMessage, "a joiner's hello from the host");
        peer = nullptr;
        End("the host sent a joiner's hello");
        return;
    }
    enet_peer_timeout(p, 0, static_cast<enet_uint32>(settings.timeoutMs),
                      static_cast<enet_uint32>(settings.timeoutMs));
    status = Status::Playing;
    notice.clear();
    if (!begun) {
        mode = h.mode;
        seed = h.seed;
        game.Reseed(seed);
        game.Begin(mode, 0);
        begun = true;
        strikes = confirmed = 0;
        turnInHand = game.Phase() == CPlaySession::InHand;
        Log("joined " + std::string(ModeName(mode)) + ", rack seed " + std::to_string(seed));
    } else {
        awaitingState = true; // the host sends its table
        Log("back with the host; waiting for its table");
    }
}

void CNetSession::OnLeave(const LeaveMessage& m)
{
    std::string why = std::string("the opponent ") + LeaveReasonText(m.reason);
    if (m.reason == LeaveReason::Full)
        why = "the host is full";
    if (!m.text.empty())
        why += ": " + m.text;
    End(why);
}

bool CNetSession::Resting() const
{
    return !awaitingRest && game.Phase() != CPlaySession::Rolling && !game.ReplayPlaying();
}

void CNetSession::AtRest()
{
    awaitingRest = false;
    restState = game.State();
    restHash = StateHash(restState);
    restAt = strikes;
    history.emplace_back(strikes, restHash);
    Log("shot " + std::to_string(strikes) + " at rest, table " + Hex(restHash));
    turnInHand = game.Phase() == CPlaySession::InHand;
    opponentAim = AimMessage();
    RestHashMessage m;
    m.shot = strikes;
    m.hash = restHash;
    const std::vector<std::uint8_t> bytes = Encode(m);
    shotBytes += bytes.size();
    if (status == Status::Playing)
        Send(peer, bytes);
    if (sendState)
        SendState();
}

void CNetSession::SendState()
{
    sendState = false;
    StateMessage s;
    s.shot = strikes;
    s.state = game.State();
    const std::vector<std::uint8_t> bytes = Encode(s);
    shotBytes += bytes.size();
    Send(peer, bytes);
    confirmed = strikes;
    restAt = strikes;
    restState = s.state;
    restHash = StateHash(s.state);
}

void CNetSession::Drain()
{
    if (hosting && sendState && status == Status::Playing && Resting())
        SendState();
    while (!queue.empty() && status == Status::Playing) {
        if (!Apply(queue.front()))
            return;
        if (!queue.empty())
            queue.pop_front();
    }
}

bool CNetSession::Apply(const Message& m)
{
    switch (m.type) {
    case MessageType::RestHash: {
        if (!Resting())
            return false; // our own shot is still rolling
        if (m.restHash.shot != strikes || restAt != strikes) {
            // From before a rejoin, for a shot the host's table has replaced.
            Log("dropped the opponent's hash of shot " + std::to_string(m.restHash.shot));
            return true;
        }
        if (m.restHash.hash == restHash) {
            confirmed = strikes;
            return true;
        }
        ++mismatches;
        if (hosting) {
            Log("the tables differ after shot " + std::to_string(strikes) + " (host " +
                Hex(restHash) + ", joiner " + Hex(m.restHash.hash) + "): sending the host's table");
            StateMessage s;
            s.shot = strikes;
            s.state = restState;
            const std::vector<std::uint8_t> bytes = Encode(s);
            shotBytes += bytes.size();
            Send(peer, bytes);
            confirmed = strikes;
        } else {
            Log("the tables differ after shot " + std::to_string(strikes) + " (host " +
                Hex(m.restHash.hash) + ", joiner " + Hex(restHash) + "): taking the host's table");
            awaitingState = true;
        }
        return true;
    }
    case MessageType::State: {
        if (game.Phase() == CPlaySession::Rolling || game.ReplayPlaying())
            return false;
        if (!game.Adopt(m.state.state)) {
            Refuse(peer, LeaveReason::BadMessage, "a state the table cannot take");
            peer = nullptr;
            End("refused the host's table");
            return true;
        }
        awaitingRest = false;
        awaitingState = false;
        strikes = confirmed = restAt = m.state.shot;
        restState = m.state.state;
        restHash = StateHash(restState);
        turnInHand = game.Phase() == CPlaySession::InHand;
        rackOverSeen = false;
        Log("took the host's table at shot " + std::to_string(strikes) + " (hash " + Hex(restHash) +
            ")");
        return true;
    }
    case MessageType::Shot: {
        if (!Resting() || awaitingState || confirmed != strikes)
            return false;
        const int opponentSide = 1 - LocalSide();
        if (m.shot.shot != strikes || game.Match().rules.Turn() != opponentSide ||
            !game.Shoot(m.shot.command)) {
            const std::string why = "shot " + std::to_string(m.shot.shot) +
                                    " cannot be played on this table (at shot " +
                                    std::to_string(strikes) + ")";
            Refuse(peer, LeaveReason::OutOfStep, why);
            peer = nullptr;
            End("out of step with the opponent: " + why);
            return true;
        }
        ++strikes;
        awaitingRest = true;
        opponentAim = AimMessage();
        remoteStrikeAt = Clock::now();
        return true;
    }
    case MessageType::NextRack: {
        if (!Resting() || awaitingState || confirmed != strikes)
            return false;
        game.Rerack();
        turnInHand = game.Phase() == CPlaySession::InHand;
        rackOverSeen = false;
        Log("next rack");
        return true;
    }
    default:
        return true;
    }
}

void CNetSession::Timers()
{
    if (status == Status::Waiting && Since(lostAt) > settings.rejoinSeconds) {
        if (peer) {
            enet_peer_reset(peer);
            peer = nullptr;
        }
        End("the opponent did not come back");
        return;
    }
    if (status == Status::Waiting) {
        const int left = static_cast<int>(std::ceil(settings.rejoinSeconds - Since(lostAt)));
        const std::size_t cut = notice.find(" (");
        const std::string head = cut == std::string::npos ? notice : notice.substr(0, cut);
        notice = head + " (" + std::to_string(left) + " s; Escape: menu, Leave to end)";
    }
    if (status != Status::Playing)
        return;
    // The host racks again a while after a rack is over, once both agree on it.
    if (hosting && game.Match().rules.RackOver() && InStep() && Resting() && !sendState) {
        if (!rackOverSeen) {
            rackOverSeen = true;
            rackOverAt = Clock::now();
        }
        if (Since(rackOverAt) >= settings.nextRackSeconds) {
            NextRackMessage n;
            n.shot = strikes;
            Send(peer, Encode(n));
            game.Rerack();
            turnInHand = game.Phase() == CPlaySession::InHand;
            rackOverSeen = false;
            Log("next rack");
        }
    }
    // A changed aim goes out at the aim rate; a still one is repeated now and
    // then, so that the opponent keeps seeing the cue.
    const bool repeat =
        LocalToPlay() && localAim.shot == strikes && Since(localAimAt) >= AimRepeatSeconds;
    if ((!localAimSent && Since(localAimAt) >= settings.aimSeconds) || repeat) {
        localAim.shot = strikes;
        Send(peer, Encode(localAim), false);
        localAimSent = true;
        localAimAt = Clock::now();
    }
}

bool CNetSession::LocalToPlay() const
{
    return status == Status::Playing && peer && begun && Resting() && InStep() && !awaitingState &&
           !sendState && !game.Match().rules.RackOver() && game.Match().rules.Turn() == LocalSide();
}

bool CNetSession::OpponentAiming() const
{
    return status == Status::Playing && Resting() && opponentAim.shot == strikes &&
           opponentAimAt != Clock::time_point() && Since(opponentAimAt) < AimShownSeconds &&
           game.Match().rules.Turn() != LocalSide();
}

bool CNetSession::Shoot(const ShotCommand& c)
{
    if (!LocalToPlay())
        return false;
    ShotCommand w = WireCommand(c);
    if (turnInHand && game.Phase() != CPlaySession::InHand) {
        // Put down already at this machine: the other table puts it there too.
        w.place = true;
        const vec3& at = game.Balls()[game.CueEntry()].position;
        w.cue = vec3(at.x, at.y, BallRadius);
    }
    if (!turnInHand)
        w.place = false;
    std::string why;
    Message check;
    ShotMessage m;
    m.shot = strikes;
    m.command = w;
    const std::vector<std::uint8_t> bytes = Encode(m);
    // What the other side's decoder would refuse is not played here either.
    if (!DecodeMessage(bytes.data(), bytes.size(), check, why))
        return false;
    if (!game.Shoot(w))
        return false;
    shotBytes += bytes.size();
    Send(peer, bytes);
    ++strikes;
    awaitingRest = true;
    localAimSent = true;
    localAim.shot = NoAim;
    if (host)
        enet_host_flush(host);
    return true;
}

void CNetSession::NoteAim(float heading, float power, const StrikePoint& strike, bool hand,
                          const vec3& cue)
{
    if (!LocalToPlay())
        return;
    AimMessage a;
    a.shot = strikes;
    power = power > 0.0f ? std::clamp(power, CueMinPower, CueMaxPower) : 0.0f;
    float x = cue.x, y = cue.y;
    ClampToHandArea(x, y, false);
    a.heading = WireCommand([&] {
                    ShotCommand c;
                    c.heading = heading;
                    return c;
                }())
                    .heading;
    a.power = power;
    a.strike = ClampStrikePoint(strike);
    a.hand = hand;
    a.cue = vec3(x, y, BallRadius);
    if (a.heading == localAim.heading && a.power == localAim.power &&
        a.strike.side == localAim.strike.side && a.strike.top == localAim.strike.top &&
        a.hand == localAim.hand && a.cue.x == localAim.cue.x && a.cue.y == localAim.cue.y)
        return;
    localAim = a;
    localAimSent = false;
}

void CNetSession::Leave()
{
    if (status == Status::Ended)
        return;
    if (peer) {
        LeaveMessage m;
        m.reason = LeaveReason::Left;
        Send(peer, Encode(m));
        enet_peer_disconnect_later(peer, 0);
        enet_host_flush(host);
    }
    End("you left the game");
}
