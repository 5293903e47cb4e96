// CDefaultWorld: the game's default gravity and air for one test, the previous values back after it.
#pragma once

#include "physics/World.h"

// A fixture member: constructed before SetUp, destroyed after TearDown, so the
// physics' globals are what a game with no game.cfg keys would have meanwhile.
class CDefaultWorld {
public:
    CDefaultWorld() : savedGravity(Gravity), savedViscosity(Viscosity)
    {
        Gravity = static_cast<float>(DefaultGravity);
        Viscosity = static_cast<float>(DefaultViscosity);
    }
    ~CDefaultWorld()
    {
        Gravity = savedGravity;
        Viscosity = savedViscosity;
    }
    CDefaultWorld(const CDefaultWorld&) = delete;
    CDefaultWorld& operator=(const CDefaultWorld&) = delete;

private:
    float savedGravity;
    float savedViscosity;
};
