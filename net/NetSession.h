// CNetSession: one table game played in lockstep with another machine over ENet.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "game/TableGame.h"
#include "net/Message.h"

struct _ENetHost;
struct _ENetPeer;

struct NetSettings {
    // A peer silent (no acknowledgement) this long counts as gone, ms.
    int timeoutMs = 10000;
    // A lost opponent may come back this long, s, and the rack goes on.
    double rejoinSeconds = 60.0;
    // The shooter's aim goes out at most this often, s.
    double aimSeconds = 0.2;
    // The host racks again this long after a rack is over, s.
    double nextRackSeconds = 4.0;
    // Tests: say another version in the hello (0: the real ones).
    std::uint64_t physicsVersion = 0;
    std::uint16_t protocolVersion = 0;
};

// The table game (the caller's) is played by both machines with the same
// fixed step: only shot commands travel. The host is side 0 and breaks the
// first rack; the joiner is side 1. After every shot, once the balls rest,
// both send a hash of the table (StateHash); a side may strike only once it
// holds its opponent's hash for the last shot. On a mismatch the host sends
// its whole state and the joiner takes it; both log it.
//
// Nothing waits on the network: Frame polls ENet with a zero timeout from the
// caller's thread (there is no thread of its own), then advances the table.
// Everything that comes in goes through DecodeMessage; a refused message ends
// the game with a Leave naming why, and never reaches the table.
class CNetSession {
public:
    enum class Status {
        Idle,       // neither hosting nor joined
        Listening,  // host: waiting for an opponent
        Connecting, // joiner: the host has not answered yet
        Playing,    // both sides are there
        Waiting,    // the opponent was lost: they may come back until the window closes
        Ended,      // over: Notice says why
    };

    // `game` is the caller's, lives longer than the session, and is played
    // only through it meanwhile (Shoot below, and Frame for the time).
    explicit CNetSession(CTableGame& game, NetSettings settings = NetSettings());
    // Says goodbye to a connected peer (as Leave) and closes the socket.
    ~CNetSession();
    CNetSession(const CNetSession&) = delete;
    CNetSession& operator=(const CNetSession&) = delete;

    // Listens on UDP `port` (all interfaces) for one opponent and racks `mode`
    // (8-ball or 9-ball) shuffled by `seed`. False, with `error`, when the
    // port cannot be had.
    bool Host(std::uint16_t port, int mode, std::uint32_t seed, std::string& error);
    // Connects to a host; the game and the rack come in its hello.
    bool Join(const std::string& host, std::uint16_t port, std::string& error);

    // One frame: what the network brought (no waiting), then `seconds` of the table.
    void Frame(float seconds);

    // The shooter at this machine strikes: refused (false, nothing sent)
    // unless LocalToPlay(). The command goes out as played, its heading in
    // [0, 360) and the cue ball's place set when the turn began in hand.
    bool Shoot(const ShotCommand& c);
    // The local cue as it is now while aiming (heading degrees, power as
    // drawn, strike point, the cue ball's place when in hand): sent a few
    // times a second when it changed.
    void NoteAim(float heading, float power, const StrikePoint& strike, bool hand, const vec3& cue);
    // Ends the game for both: the opponent is told (LeaveReason::Left).
    void Leave();

    Status GetStatus() const { return status; }
    bool Hosting() const { return hosting; }
    int LocalSide() const { return hosting ? 0 : 1; }
    // The side at this machine may aim and strike now: playing, the balls at
    // rest, its turn, the last shot's hashes exchanged, the rack not over.
    bool LocalToPlay() const;
    // The opponent's turn and their cue seen within the last second.
    bool OpponentAiming() const;
    const AimMessage& OpponentAim() const { return opponentAim; }
    // One line for the screen: what the session waits for, or why it ended.
    const std::string& Notice() const { return notice; }
    // Lines for the log (joins, refusals, hashes that differed, states taken), oldest first.
    std::vector<std::string> TakeLog();

    // The match's strikes so far, and the hash of the table when the last
    // of them came to rest (0 before the first).
    std::uint32_t Strikes() const { return strikes; }
    std::uint64_t RestHash() const { return restHash; }
    // Every rest's (strike count, hash) as this table worked it out, oldest first.
    const std::vector<std::pair<std::uint32_t, std::uint64_t>>& RestHistory() const
    {
        return history;
    }
    // Shots whose hashes differed (the host's state then taken).
    int Mismatches() const { return mismatches; }
    // The last shot's hashes were exchanged and agreed (or the host's state was taken).
    bool InStep() const { return confirmed == strikes && !awaitingRest && queue.empty(); }
    // Bytes handed to the socket, ENet's headers, acknowledgements and pings included.
    std::uint64_t BytesSent() const;
    // Payload bytes of the Shot, RestHash and State messages sent so far.
    std::uint64_t ShotBytesSent() const { return shotBytes; }
    // When the opponent's last shot was struck on this table (steady clock).
    std::chrono::steady_clock::time_point RemoteStrikeTime() const { return remoteStrikeAt; }
    // The port listened on (host).
    std::uint16_t Port() const { return port; }

private:
    using Clock = std::chrono::steady_clock;
    void Poll();
    void OnConnect(_ENetPeer* p);
    void OnDisconnect(_ENetPeer* p);
    void OnReceive(_ENetPeer* p, const std::uint8_t* data, std::size_t size);
    void OnHello(_ENetPeer* p, const HelloMessage& h);
    void OnLeave(const LeaveMessage& m);
    // Applies queued messages in order while the head one can be; false when it must wait.
    void Drain();
    bool Apply(const Message& m);
    void AtRest();
    void Timers();
    void Send(_ENetPeer* p, const std::vector<std::uint8_t>& bytes, bool reliable = true);
    void Refuse(_ENetPeer* p, LeaveReason reason, const std::string& text);
    void End(const std::string& why);
    void Log(const std::string& line);
    void Lose(const std::string& why);
    bool Resting() const;
    bool Reconnect();
    void SendState();
    std::string VersionText(const HelloMessage& h) const;

    CTableGame& game;
    NetSettings settings;
    std::uint64_t physics = 0;
    std::uint16_t protocol = ProtocolVersion;
    _ENetHost* host = nullptr;
    _ENetPeer* peer = nullptr; // the opponent's connection, when there is one
    Status status = Status::Idle;
    bool hosting = false;
    bool begun = false;      // the rack is on the table (after the first hello)
    std::uint64_t token = 0; // joiner: ours; host: the opponent's, for a rejoin
    std::string hostName;
    std::uint32_t hostIp = 0; // the host's address as looked up once (network order)
    std::uint16_t port = 0;
    int mode = 0;
    std::uint32_t seed = 0;

    std::deque<Message> queue;   // Shot, RestHash, State, NextRack, in the order sent
    std::uint32_t strikes = 0;   // strikes of the match on this table
    std::uint32_t confirmed = 0; // the last strike count whose hashes were exchanged
    bool awaitingRest = false;   // a shot was struck and has not come to rest
    bool awaitingState = false;  // joiner: the host's state is to come (mismatch, rejoin)
    bool sendState = false;      // host: send the state at the next rest (a rejoin)
    bool turnInHand = false;     // the side to play began its turn with the cue ball in hand
    std::uint32_t restAt = 0;    // restHash belongs to this strike count
    std::uint64_t restHash = 0;
    TableState restState;
    int mismatches = 0;
    std::vector<std::pair<std::uint32_t, std::uint64_t>> history;
    std::uint64_t shotBytes = 0;

    AimMessage opponentAim;
    Clock::time_point opponentAimAt;
    AimMessage localAim;
    bool localAimSent = true;
    Clock::time_point localAimAt;

    Clock::time_point connectAt;
    Clock::time_point lostAt;
    Clock::time_point rackOverAt;
    bool rackOverSeen = false;
    Clock::time_point remoteStrikeAt;
    std::string notice;
    std::vector<std::string> log;
};

// "listening", "playing", ...: a string literal.
const char* NetStatusName(CNetSession::Status s);
