#pragma once

#include <array>
#include <cstdint>
#include <random>

namespace Artwork {

// Seeded random numbers whose sequence is the same on every platform: std::mt19937's output is fixed
// by the standard, while the standard distributions are not, so the mapping to ranges is done here.
class Random {
public:
  explicit Random(std::uint32_t seed);

  // Uniform in [lo, hi).
  double Uniform(double lo, double hi);
  // Uniform integer in [0, count); count must be positive.
  int Below(int count);

private:
  std::mt19937 mEngine;
};

// Two-dimensional gradient noise with values in about [-1, 1], smooth at every scale.
class Noise {
public:
  explicit Noise(std::uint32_t seed);

  double At(double x, double y) const;
  // Sum of octaves, each at twice the frequency and `gain` times the amplitude of the one before,
  // normalised so that the result stays in about [-1, 1].
  double Fractal(double x, double y, int octaves, double gain = 0.5) const;

private:
  double Corner(int ix, int iy, double fx, double fy) const;

  std::array<std::uint8_t, 512> mPermutation{};
  std::array<std::array<double, 2>, 256> mGradients{};
};

// Smooth step of t clamped to [0, 1] between edge0 and edge1.
double SmoothStep(double edge0, double edge1, double t);

} // namespace Artwork
