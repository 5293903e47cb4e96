// PhysicsVersion: a number that changes whenever the passes' results could, for the hello.
#pragma once

#include <cstdint>

// A fixed game (a 9-ball break and 8-ball's first shots from fixed commands,
// a cue ball in hand placed) played through the real table game, hashed with
// FNV-1a over every ball after every fixed step and the state at every rest,
// then mixed with ProtocolVersion. Two builds that would play any shot
// differently (other passes, constants, racks, referee, compiler or
// floating-point flags, game.cfg's gravity or air) almost surely differ here.
// Worked out (about 0.3 s) on the calling thread on the first call, and again
// whenever the physics' globals (Gravity, Viscosity) have changed since: call
// it once the configuration is read.
std::uint64_t PhysicsVersion();

// The hash of the reference game alone.
std::uint64_t ReferenceGameHash();
