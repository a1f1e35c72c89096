#include "Noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace Artwork {

Random::Random(std::uint32_t seed) : mEngine(seed) {}

double Random::Uniform(double lo, double hi)
{
  const double unit = static_cast<double>(mEngine()) / 4294967296.0;
  return lo + (hi - lo) * unit;
}

int Random::Below(int count)
{
  return static_cast<int>(mEngine() % static_cast<std::uint32_t>(count));
}

Noise::Noise(std::uint32_t seed)
{
  Random random(seed);
  std::array<std::uint8_t, 256> order{};
  for (int i = 0; i < 256; ++i) {
    order[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  }
  for (int i = 255; i > 0; --i) {
    std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(random.Below(i + 1))]);
  }
  for (std::size_t i = 0; i < mPermutation.size(); ++i) {
    mPermutation[i] = order[i % 256];
  }
  for (auto& gradient : mGradients) {
    const double angle = random.Uniform(0.0, 2.0 * std::numbers::pi);
    gradient = {std::cos(angle), std::sin(angle)};
  }
}

double Noise::Corner(int ix, int iy, double fx, double fy) const
{
  const auto hash = mPermutation[static_cast<std::size_t>(mPermutation[static_cast<std::size_t>(ix & 255)] + (iy & 255))];
  const auto& gradient = mGradients[hash];
  return gradient[0] * fx + gradient[1] * fy;
}

double Noise::At(double x, double y) const
{
  const double x0 = std::floor(x);
  const double y0 = std::floor(y);
  const int ix = static_cast<int>(x0);
  const int iy = static_cast<int>(y0);
  const double fx = x - x0;
  const double fy = y - y0;
  const auto fade = [](double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); };
  const double u = fade(fx);
  const double v = fade(fy);
  const double top = std::lerp(Corner(ix, iy, fx, fy), Corner(ix + 1, iy, fx - 1.0, fy), u);
  const double bottom = std::lerp(Corner(ix, iy + 1, fx, fy - 1.0), Corner(ix + 1, iy + 1, fx - 1.0, fy - 1.0), u);
  // Gradient noise of unit vectors peaks at about 0.7; scale it to about [-1, 1].
  return std::lerp(top, bottom, v) * 1.41;
}

double Noise::Fractal(double x, double y, int octaves, double gain) const
{
  double sum = 0.0;
  double amplitude = 1.0;
  double total = 0.0;
  for (int octave = 0; octave < octaves; ++octave) {
    // Each octave is shifted so that the lattice points of the octaves do not line up.
    sum += amplitude * At(x + 17.3 * octave, y - 31.7 * octave);
    total += amplitude;
    amplitude *= gain;
    x *= 2.0;
    y *= 2.0;
  }
  return sum / total;
}

double SmoothStep(double edge0, double edge1, double t)
{
  const double s = std::clamp((t - edge0) / (edge1 - edge0), 0.0, 1.0);
  return s * s * (3.0 - 2.0 * s);
}

} // namespace Artwork
