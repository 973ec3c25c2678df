#pragma once
// Deterministic noise for textures: integer hashing of pixel coordinates and a fixed seed, so every
// run of the generator writes the same bytes.
#include <cstdint>

namespace art {

// Uniform in [0, 1) for the lattice point (x, y) of noise channel `seed`.
double Hash01(std::int32_t x, std::int32_t y, std::uint32_t seed);
// Uniform in [-1, 1).
inline double HashSigned(std::int32_t x, std::int32_t y, std::uint32_t seed) { return Hash01(x, y, seed) * 2 - 1; }
// Smooth value noise along x within row y (rows are independent): knots every `period` pixels,
// cosine-interpolated, in [-1, 1]. Brushed metal is a sum of these.
double RowNoise(double x, std::int32_t y, double period, std::uint32_t seed);
// Smooth 2-D value noise in [-1, 1] on a lattice of `period` pixels.
double ValueNoise(double x, double y, double period, std::uint32_t seed);

}  // namespace art
