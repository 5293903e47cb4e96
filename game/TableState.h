// TableState: everything two copies of one table game must share at rest, taken and checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "physics/Ball.h"
#include "physics/PlayTable.h"
#include "rules/RackState.h"

// The most draws a table game's generator may have behind it: a match takes a
// few per shot, and restoring one replays them (about 10 ns each).
constexpr std::uint64_t MaxGeneratorDraws = 1u << 24;

// Plain data: the balls as they rest, the shot cycle, the referee's rack and
// the generator that shuffles the racks. Who plays each side (a person, the
// computer) is the owner's and is not in it; nor is the HUD's last verdict.
// Taken with CTableGame::State at rest, put back with CTableGame::Adopt.
struct TableState {
    int mode = 0;            // ModePractice, ModeEightBall or ModeNineBall
    std::uint32_t seed = 0;  // the generator's seed ...
    std::uint64_t draws = 0; // ... and how many numbers have been drawn from it since
    int nextBreaker = 0;     // the side to break the next rack
    int breaker = 0;         // the side that broke this one
    // The shot cycle (CPlaySession).
    int phase = 0; // CPlaySession::Aim or InHand: never Rolling
    int shots = 0;
    int cueEntry = 0;
    bool kitchen = false;
    vec3 hand;
    std::vector<int> tray; // ball numbers (at rest nothing is still sinking)
    bool sunk[BallSlots] = {};
    // The passes' table: which ball each entry holds, which are down and where.
    int number[BallSlots] = {};
    bool potted[BallSlots] = {};
    int pocket[BallSlots] = {};
    // Entries 1 to 16: position, velocity, rotation and spin (the constants are the game's).
    vec3 position[BallSlots];
    vec3 velocity[BallSlots];
    vec3 rotation[BallSlots];
    vec3 spin[BallSlots];
    RackState rack; // the referee's (rules modes; the practice rack leaves it as is)
};

// Whether `s` is a position a table game may take: a known mode, a rest
// phase, every entry's number once, the cue ball's entry holding ball 0,
// pockets and tray within range, every number finite and on (or near) the
// table, the rack's sides and groups within range. False with `why` set.
bool TableStateValid(const TableState& s, std::string& why);
