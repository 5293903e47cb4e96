// Message: the encoders, the one decoder with its sizes and ranges, and the table's hash.
#include "net/Message.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "game/GameMode.h"
#include "physics/ShotTuning.h"
#include "physics/TableGeometry.h"
#include "play/PlaySession.h"

namespace {

// The centre of a ball lying on the cloth stays within these, m (as CheckPlacement).
float ClothX()
{
    return CushionX - BallRadius;
}
float ClothY()
{
    return CushionY - BallRadius;
}

class Writer {
public:
    explicit Writer(MessageType type) { U8(static_cast<std::uint8_t>(type)); }
    Writer() = default;
    void U8(std::uint8_t v) { bytes.push_back(v); }
    void U16(std::uint16_t v)
    {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v)
    {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void U64(std::uint64_t v)
    {
        U32(static_cast<std::uint32_t>(v));
        U32(static_cast<std::uint32_t>(v >> 32));
    }
    void F32(float f)
    {
        std::uint32_t v;
        std::memcpy(&v, &f, sizeof v);
        U32(v);
    }
    void Vec(const vec3& v)
    {
        F32(v.x);
        F32(v.y);
        F32(v.z);
    }
    std::vector<std::uint8_t> bytes;
};

// Reads fields in order; a read past the end marks the message short and gives zeros.
class Reader {
public:
    Reader(const std::uint8_t* d, std::size_t n) : data(d), size(n) {}
    std::uint8_t U8()
    {
        if (at >= size) {
            shortRead = true;
            return 0;
        }
        return data[at++];
    }
    std::uint16_t U16()
    {
        const std::uint16_t lo = U8();
        return static_cast<std::uint16_t>(lo | (U8() << 8));
    }
    std::uint32_t U32()
    {
        const std::uint32_t lo = U16();
        return lo | (static_cast<std::uint32_t>(U16()) << 16);
    }
    std::uint64_t U64()
    {
        const std::uint64_t lo = U32();
        return lo | (static_cast<std::uint64_t>(U32()) << 32);
    }
    float F32()
    {
        const std::uint32_t v = U32();
        float f;
        std::memcpy(&f, &v, sizeof f);
        return f;
    }
    vec3 Vec()
    {
        const float x = F32(), y = F32();
        return vec3(x, y, F32());
    }
    // A bool is 0 or 1; anything else is a fault.
    bool Bool()
    {
        const std::uint8_t v = U8();
        if (v > 1)
            badBool = true;
        return v == 1;
    }
    bool Short() const { return shortRead; }
    bool BadBool() const { return badBool; }
    std::size_t Left() const { return shortRead ? 0 : size - at; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool shortRead = false;
    bool badBool = false;
};

bool Fail(std::string& why, const std::string& text)
{
    why = text;
    return false;
}

void PutCommand(Writer& w, const ShotCommand& c)
{
    w.F32(c.heading);
    w.F32(c.speed);
    w.F32(c.strike.side);
    w.F32(c.strike.top);
    w.U8(c.place ? 1 : 0);
    w.F32(c.cue.x);
    w.F32(c.cue.y);
}

void PutState(Writer& w, const TableState& s)
{
    w.U8(static_cast<std::uint8_t>(s.mode));
    w.U32(s.seed);
    w.U32(static_cast<std::uint32_t>(s.draws));
    w.U8(static_cast<std::uint8_t>(s.nextBreaker));
    w.U8(static_cast<std::uint8_t>(s.breaker));
    w.U8(static_cast<std::uint8_t>(s.phase));
    w.U32(static_cast<std::uint32_t>(s.shots));
    w.U8(static_cast<std::uint8_t>(s.cueEntry));
    w.U8(s.kitchen ? 1 : 0);
    w.Vec(s.hand);
    w.U8(static_cast<std::uint8_t>(s.tray.size()));
    for (int n : s.tray)
        w.U8(static_cast<std::uint8_t>(n));
    for (int k = FirstBall; k <= LastBall; ++k) {
        w.U8(static_cast<std::uint8_t>(s.number[k]));
        w.U8(s.potted[k] ? 1 : 0);
        w.U8(static_cast<std::uint8_t>(s.pocket[k] + 1));
        w.U8(s.sunk[k] ? 1 : 0);
        w.Vec(s.position[k]);
        w.Vec(s.velocity[k]);
        w.Vec(s.rotation[k]);
        w.Vec(s.spin[k]);
    }
    const RackState& r = s.rack;
    w.U8(r.game == GameKind::NineBall ? 1 : 0);
    w.U16(r.onTable);
    w.U8(static_cast<std::uint8_t>(r.turn));
    w.U8(r.breakPending ? 1 : 0);
    w.U8(r.ballInHand ? 1 : 0);
    for (int side = 0; side < 2; ++side) {
        w.U8(static_cast<std::uint8_t>(r.group[side]));
        w.U8(static_cast<std::uint8_t>(r.foulsInARow[side]));
    }
    w.U8(r.over ? 1 : 0);
    w.U8(static_cast<std::uint8_t>(r.winner + 1));
}

// The fields only: sizes and ranges are checked by the caller and TableStateValid.
void GetState(Reader& r, TableState& s, bool& badEnum)
{
    s.mode = r.U8();
    s.seed = r.U32();
    s.draws = r.U32();
    s.nextBreaker = r.U8();
    s.breaker = r.U8();
    s.phase = r.U8();
    const std::uint32_t shots = r.U32();
    s.shots = shots > 1000000u ? -1 : static_cast<int>(shots);
    s.cueEntry = r.U8();
    s.kitchen = r.Bool();
    s.hand = r.Vec();
    const int trayCount = r.U8();
    if (trayCount > MaxBall) {
        badEnum = true;
        return;
    }
    s.tray.clear();
    for (int i = 0; i < trayCount; ++i)
        s.tray.push_back(r.U8());
    for (int k = FirstBall; k <= LastBall; ++k) {
        s.number[k] = r.U8();
        s.potted[k] = r.Bool();
        s.pocket[k] = static_cast<int>(r.U8()) - 1;
        s.sunk[k] = r.Bool();
        s.position[k] = r.Vec();
        s.velocity[k] = r.Vec();
        s.rotation[k] = r.Vec();
        s.spin[k] = r.Vec();
    }
    RackState& rack = s.rack;
    rack.game = r.Bool() ? GameKind::NineBall : GameKind::EightBall;
    rack.onTable = r.U16();
    rack.turn = r.U8();
    rack.breakPending = r.Bool();
    rack.ballInHand = r.Bool();
    for (int side = 0; side < 2; ++side) {
        const int g = r.U8();
        if (g > static_cast<int>(Group::Stripes))
            badEnum = true;
        rack.group[side] = static_cast<Group>(g <= 2 ? g : 0);
        rack.foulsInARow[side] = r.U8();
    }
    rack.over = r.Bool();
    rack.winner = static_cast<int>(r.U8()) - 1;
}

bool HeadingValid(float h)
{
    return h >= 0.0f && h < 360.0f;
} // NaN fails
bool StrikeValid(const StrikePoint& p)
{
    // The game's own limit, with a hair for the clamp's rounding.
    const float limit = MaxStrikeOffset * 1.0001f;
    return std::isfinite(p.side) && std::isfinite(p.top) &&
           p.side * p.side + p.top * p.top <= limit * limit;
}
bool OnCloth(const vec3& v)
{
    return v.x >= -ClothX() && v.x <= ClothX() && v.y >= -ClothY() && v.y <= ClothY();
}

bool CheckCommand(const ShotCommand& c, std::string& why)
{
    if (!HeadingValid(c.heading))
        return Fail(why, "heading out of range");
    if (!(c.speed >= SoftestShotSpeed && c.speed <= MaxShotSpeed))
        return Fail(why, "speed out of range");
    if (!StrikeValid(c.strike))
        return Fail(why, "strike point off the ball");
    if (c.place && !OnCloth(c.cue))
        return Fail(why, "cue ball placed off the cloth");
    if (!ShotCommandValid(c))
        return Fail(why, "shot not playable");
    return true;
}

bool PrintableText(const std::string& s)
{
    for (char ch : s)
        if (ch < 0x20 || ch > 0x7e)
            return false;
    return true;
}

} // namespace

const char* LeaveReasonText(LeaveReason reason)
{
    switch (reason) {
    case LeaveReason::Left:
        return "left the game";
    case LeaveReason::Full:
        return "the host already has an opponent";
    case LeaveReason::Versions:
        return "the versions differ";
    case LeaveReason::BadMessage:
        return "a message was refused";
    case LeaveReason::OutOfStep:
        return "the tables could not be kept alike";
    case LeaveReason::Gone:
        return "the opponent did not come back";
    }
    return "ended";
}

ShotCommand WireCommand(ShotCommand c)
{
    if (std::isfinite(c.heading)) {
        c.heading = std::fmod(c.heading, 360.0f);
        if (c.heading < 0.0f)
            c.heading += 360.0f;
        if (c.heading >= 360.0f) // -tiny + 360 rounds up to 360
            c.heading = 0.0f;
    }
    c.cue.z = BallRadius;
    return c;
}

std::vector<std::uint8_t> Encode(const HelloMessage& m)
{
    Writer w(MessageType::Hello);
    w.U32(HelloMagic);
    w.U16(m.protocol);
    w.U64(m.physics);
    w.U8(m.mode);
    w.U8(m.table);
    w.U32(m.seed);
    w.U64(m.token);
    return w.bytes;
}

std::vector<std::uint8_t> Encode(const ShotMessage& m)
{
    Writer w(MessageType::Shot);
    w.U32(m.shot);
    PutCommand(w, m.command);
    return w.bytes;
}

std::vector<std::uint8_t> Encode(const AimMessage& m)
{
    Writer w(MessageType::Aim);
    w.U32(m.shot);
    w.F32(m.heading);
    w.F32(m.power);
    w.F32(m.strike.side);
    w.F32(m.strike.top);
    w.U8(m.hand ? 1 : 0);
    w.F32(m.cue.x);
    w.F32(m.cue.y);
    return w.bytes;
}

std::vector<std::uint8_t> Encode(const RestHashMessage& m)
{
    Writer w(MessageType::RestHash);
    w.U32(m.shot);
    w.U64(m.hash);
    return w.bytes;
}

std::vector<std::uint8_t> Encode(const StateMessage& m)
{
    Writer w(MessageType::State);
    w.U32(m.shot);
    PutState(w, m.state);
    return w.bytes;
}

std::vector<std::uint8_t> Encode(const NextRackMessage& m)
{
    Writer w(MessageType::NextRack);
    w.U32(m.shot);
    return w.bytes;
}

std::vector<std::uint8_t> Encode(const LeaveMessage& m)
{
    Writer w(MessageType::Leave);
    w.U8(static_cast<std::uint8_t>(m.reason));
    const std::size_t n = std::min(m.text.size(), MaxReasonBytes);
    w.U8(static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        const char ch = m.text[i];
        w.U8(ch >= 0x20 && ch <= 0x7e ? static_cast<std::uint8_t>(ch) : '?');
    }
    return w.bytes;
}

std::vector<std::uint8_t> Encode(const Message& m)
{
    switch (m.type) {
    case MessageType::Hello:
        return Encode(m.hello);
    case MessageType::Shot:
        return Encode(m.shot);
    case MessageType::Aim:
        return Encode(m.aim);
    case MessageType::RestHash:
        return Encode(m.restHash);
    case MessageType::State:
        return Encode(m.state);
    case MessageType::NextRack:
        return Encode(m.nextRack);
    case MessageType::Leave:
        return Encode(m.leave);
    }
    return {};
}

std::uint64_t StateHash(const TableState& s)
{
    Writer w;
    PutState(w, s);
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t b : w.bytes) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

bool DecodeMessage(const std::uint8_t* data, std::size_t size, Message& out, std::string& why)
{
    if (size == 0 || data == nullptr)
        return Fail(why, "empty message");
    if (size > MaxMessageBytes)
        return Fail(why, "message too long (" + std::to_string(size) + " bytes)");
    Reader r(data, size);
    const std::uint8_t type = r.U8();
    bool badEnum = false;
    switch (static_cast<MessageType>(type)) {
    case MessageType::Hello: {
        HelloMessage& m = out.hello;
        if (r.U32() != HelloMagic)
            return Fail(why, "not a Baizeline hello");
        m.protocol = r.U16();
        m.physics = r.U64();
        m.mode = r.U8();
        m.table = r.U8();
        m.seed = r.U32();
        m.token = r.U64();
        if (!r.Short() && m.mode != 0 && !RulesMode(m.mode))
            return Fail(why, "hello names an unknown game " + std::to_string(m.mode));
        if (!r.Short() && m.table != StandardTable)
            return Fail(why, "hello names an unknown table " + std::to_string(m.table));
        break;
    }
    case MessageType::Shot: {
        ShotMessage& m = out.shot;
        m.shot = r.U32();
        ShotCommand& c = m.command;
        c = ShotCommand();
        c.heading = r.F32();
        c.speed = r.F32();
        c.strike.side = r.F32();
        c.strike.top = r.F32();
        c.place = r.Bool();
        c.cue.x = r.F32();
        c.cue.y = r.F32();
        c.cue.z = BallRadius;
        if (!r.Short() && !r.BadBool() && !CheckCommand(c, why))
            return false;
        break;
    }
    case MessageType::Aim: {
        AimMessage& m = out.aim;
        m.shot = r.U32();
        m.heading = r.F32();
        m.power = r.F32();
        m.strike.side = r.F32();
        m.strike.top = r.F32();
        m.hand = r.Bool();
        m.cue.x = r.F32();
        m.cue.y = r.F32();
        m.cue.z = BallRadius;
        if (r.Short() || r.BadBool())
            break;
        if (!HeadingValid(m.heading))
            return Fail(why, "aim heading out of range");
        if (!(m.power == 0.0f || (m.power >= CueMinPower && m.power <= CueMaxPower)))
            return Fail(why, "aim power out of range");
        if (!StrikeValid(m.strike))
            return Fail(why, "aim strike point off the ball");
        if (m.hand && !OnCloth(m.cue))
            return Fail(why, "aim's cue ball off the cloth");
        break;
    }
    case MessageType::RestHash:
        out.restHash.shot = r.U32();
        out.restHash.hash = r.U64();
        break;
    case MessageType::State:
        out.state.shot = r.U32();
        out.state.state = TableState();
        GetState(r, out.state.state, badEnum);
        if (badEnum && !r.Short())
            return Fail(why, "state field out of range");
        if (!r.Short() && !r.BadBool() && r.Left() == 0) {
            std::string bad;
            if (!TableStateValid(out.state.state, bad))
                return Fail(why, "state refused: " + bad);
        }
        break;
    case MessageType::NextRack:
        out.nextRack.shot = r.U32();
        break;
    case MessageType::Leave: {
        LeaveMessage& m = out.leave;
        const std::uint8_t reason = r.U8();
        if (!r.Short() && (reason < static_cast<std::uint8_t>(LeaveReason::Left) ||
                           reason > static_cast<std::uint8_t>(LeaveReason::Gone)))
            return Fail(why, "unknown leave reason " + std::to_string(reason));
        m.reason = static_cast<LeaveReason>(reason);
        const std::size_t n = r.U8();
        if (n > MaxReasonBytes)
            return Fail(why, "leave reason too long");
        m.text.clear();
        for (std::size_t i = 0; i < n && !r.Short(); ++i)
            m.text.push_back(static_cast<char>(r.U8()));
        if (!r.Short() && !PrintableText(m.text))
            return Fail(why, "leave reason not printable");
        break;
    }
    default:
        return Fail(why, "unknown message type " + std::to_string(type));
    }
    if (r.Short())
        return Fail(why, "message cut short");
    if (r.BadBool())
        return Fail(why, "a yes/no field is neither");
    if (r.Left() != 0)
        return Fail(why, "message too long (" + std::to_string(r.Left()) + " bytes over)");
    out.type = static_cast<MessageType>(type);
    return true;
}
