// Message: what two machines playing one table game say to each other, and the one decoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/TableState.h"
#include "play/ShotCommand.h"

// The wire's version: a change to any message's layout or meaning is a new number.
constexpr std::uint16_t ProtocolVersion = 1;
// Every hello starts with these four bytes ("BZLN").
constexpr std::uint32_t HelloMagic = 0x4e4c5a42u;
// No message is longer: the longest, a full state, takes about 1.2 kB.
constexpr std::size_t MaxMessageBytes = 2048;
// The longest reason text a Leave carries, bytes (printable ASCII only).
constexpr std::size_t MaxReasonBytes = 160;
// The one table size the game has (the 9-foot table of the level's model).
constexpr int StandardTable = 0;

// Each message is one type byte then fixed fields, little-endian, floats as
// IEEE-754 bits: nothing is implied by a length but the tray and the reason.
enum class MessageType : std::uint8_t {
    Hello = 1,    // versions, the game and the rack's seed, the joiner's token
    Shot = 2,     // a strike: the shot command, the cue ball's place when in hand
    Aim = 3,      // the shooter's cue as it is now (unreliable, a few a second)
    RestHash = 4, // the table's hash once the balls of shot `shot` rest
    State = 5,    // the host's whole table at rest after shot `shot`
    NextRack = 6, // the rack is over: both rack again
    Leave = 7,    // the sender ends the game (or refuses it): why
};

enum class LeaveReason : std::uint8_t {
    Left = 1,       // the player chose Leave
    Full = 2,       // the host already has an opponent
    Versions = 3,   // protocol or physics versions differ
    BadMessage = 4, // a message from the other side was refused
    OutOfStep = 5,  // the sides could not agree on the table
    Gone = 6,       // the opponent did not come back in time
};
// "left the game", "the host is full", ...: a string literal.
const char* LeaveReasonText(LeaveReason reason);

struct HelloMessage {
    std::uint16_t protocol = ProtocolVersion;
    std::uint64_t physics = 0; // PhysicsVersion()
    std::uint8_t mode = 0;     // ModeEightBall or ModeNineBall (host); 0 from a joiner
    std::uint8_t table = StandardTable;
    std::uint32_t seed = 0;  // the host's rack seed; 0 from a joiner
    std::uint64_t token = 0; // the joiner's own number for a rejoin; 0 from the host
};

struct ShotMessage {
    std::uint32_t shot = 0; // the match's strikes before this one
    ShotCommand command;    // place and cue set when the cue ball was in hand
};

struct AimMessage {
    std::uint32_t shot = 0; // the strikes so far: an aim for an older shot is stale
    float heading = 0.0f;   // degrees, [0, 360)
    float power = 0.0f;     // the cue drawn back, 0 or CueMinPower..CueMaxPower
    StrikePoint strike;
    bool hand = false; // the cue ball is in hand at `cue`
    vec3 cue;
};

struct RestHashMessage {
    std::uint32_t shot = 0; // the match's strikes so far
    std::uint64_t hash = 0; // StateHash of the table once they rest
};

struct StateMessage {
    std::uint32_t shot = 0;
    TableState state;
};

struct NextRackMessage {
    std::uint32_t shot = 0; // the match's strikes so far
};

struct LeaveMessage {
    LeaveReason reason = LeaveReason::Left;
    std::string text; // what to show the other side; may be empty
};

// One decoded message: `type` says which member holds it.
struct Message {
    MessageType type = MessageType::Leave;
    HelloMessage hello;
    ShotMessage shot;
    AimMessage aim;
    RestHashMessage restHash;
    StateMessage state;
    NextRackMessage nextRack;
    LeaveMessage leave;
};

// The encoders: `out` is replaced by the message's bytes.
std::vector<std::uint8_t> Encode(const HelloMessage& m);
std::vector<std::uint8_t> Encode(const ShotMessage& m);
std::vector<std::uint8_t> Encode(const AimMessage& m);
std::vector<std::uint8_t> Encode(const RestHashMessage& m);
std::vector<std::uint8_t> Encode(const StateMessage& m);
std::vector<std::uint8_t> Encode(const NextRackMessage& m);
std::vector<std::uint8_t> Encode(const LeaveMessage& m);
// Whichever member of a decoded message `m.type` names, as its own encoder writes it.
std::vector<std::uint8_t> Encode(const Message& m);

// The one decoder for everything the network brings: `size` bytes at `data`
// (any bytes at all) into `out`. False, with `why` naming the fault (an
// unknown type, too short, too long, a field out of range), for anything but
// a well-formed message whose every number is one the game allows: a heading
// in [0, 360), a speed within SoftestShotSpeed..MaxShotSpeed (the play modes' touch shot up), a
// strike point within MaxStrikeOffset, a cue ball placed on the cloth, a table state that
// TableStateValid takes.
bool DecodeMessage(const std::uint8_t* data, std::size_t size, Message& out, std::string& why);

// The table's hash for the rest check: FNV-1a (64 bits) over the state's wire
// bytes, so both sides hash the same fields in the same order.
std::uint64_t StateHash(const TableState& s);

// A shot command as the network carries it: the heading brought into [0, 360)
// (both sides then play these very bits).
ShotCommand WireCommand(ShotCommand c);
