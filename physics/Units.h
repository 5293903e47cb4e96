// Units and angles: π and its multiples, degrees, and scene units to the metre, in one place.
#pragma once

// π rounded to float. Each multiple below is that float times a power of two or
// a small integer, which float arithmetic takes exactly, so it is the same float
// as the literal (6.2831855f, 18.849556f, ...) the passes were first written with;
// the asserts keep the free table's passes bit for bit.
constexpr double PiDouble = 3.14159265358979323846;
constexpr double TwoPiDouble = 2.0 * PiDouble;
constexpr float Pi = static_cast<float>(PiDouble);
constexpr float TwoPi = 2.0f * Pi;
constexpr float HalfPi = 0.5f * Pi;
constexpr float SixPi = 6.0f * Pi; // Stokes drag: 6πηr

// Degrees and radians as the game turns them: 180 over the float π, rounded to
// float. That is one float step below the float nearest 180/π, and the free
// table's shot heading and drawn rotations depend on this very value.
constexpr float DegreesPerRadian = 180.0f / Pi;
constexpr float RadiansPerDegree = Pi / 180.0f;
// The float nearest 180/π, as the computer opponent's readings have always used.
constexpr float DegreesPerRadianNearest = static_cast<float>(180.0 / PiDouble);

// The scene's unit is 5 cm, one ball radius: 20 to the metre.
constexpr float SceneUnitsPerMetre = 20.0f;

static_assert(Pi == 3.1415927f && TwoPi == 6.2831855f, "π as the passes were written with");
static_assert(HalfPi == 1.5707964f && SixPi == 18.849556f, "π as the passes were written with");
static_assert(DegreesPerRadian == 57.2957763671875f && RadiansPerDegree == 0.017453292f,
              "the game's degree factors are the floats the free table was written with");
static_assert(DegreesPerRadianNearest == 57.29578f && DegreesPerRadianNearest != DegreesPerRadian,
              "the opponent's degree factor is the other float");
static_assert(TwoPiDouble == 6.283185307179586, "2π in double");
