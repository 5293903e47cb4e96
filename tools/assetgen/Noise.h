// Deterministic hash noise that tiles: the same bytes on every machine and run.
#pragma once

#include <cstdint>

// A well-mixed 32-bit hash of two lattice coordinates and a seed.
uint32_t Hash2(uint32_t x, uint32_t y, uint32_t seed);

// Hash2 mapped to [0, 1).
float HashUnit(uint32_t x, uint32_t y, uint32_t seed);

// Smooth value noise in [0, 1]. (x, y) are in lattice cells; the lattice wraps
// every periodX cells along x and periodY along y, so a picture that samples
// x in [0, periodX) and y in [0, periodY) tiles without a seam.
float ValueNoise(float x, float y, int periodX, int periodY, uint32_t seed);

// Sum of `octaves` layers of ValueNoise, each at twice the frequency (and twice
// the period) and half the weight of the one before; normalised to [0, 1].
// (u, v) are tile coordinates in [0, 1); the first layer has periodX by periodY cells.
float FractalNoise(float u, float v, int periodX, int periodY, int octaves, uint32_t seed);
