#include "GoldFoil.h"

#include "Noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Artwork {
namespace {

constexpr int Width = 626;
constexpr int Height = 424;
// The foil is crumpled into flat facets about this many pixels across.
constexpr double FacetSize = 26.0;
constexpr int SamplesPerAxis = 3;

struct Vector3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

Vector3 Normalised(Vector3 v)
{
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / length, v.y / length, v.z / length};
}

double Dot(const Vector3& a, const Vector3& b)
{
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// One facet per cell of a coarse grid: a jittered centre and the tilt of its surface.
struct Facet {
  double mX = 0.0;
  double mY = 0.0;
  double mTiltX = 0.0;
  double mTiltY = 0.0;
};

class Facets {
public:
  explicit Facets(Random& random)
      : mColumns(static_cast<int>(std::ceil(Width / FacetSize)) + 2),
        mRows(static_cast<int>(std::ceil(Height / FacetSize)) + 2)
  {
    for (int row = 0; row < mRows; ++row) {
      for (int column = 0; column < mColumns; ++column) {
        Facet facet;
        facet.mX = (column - 1 + random.Uniform(0.1, 0.9)) * FacetSize;
        facet.mY = (row - 1 + random.Uniform(0.1, 0.9)) * FacetSize;
        facet.mTiltX = random.Uniform(-0.55, 0.55);
        facet.mTiltY = random.Uniform(-0.55, 0.55);
        mFacets.push_back(facet);
      }
    }
  }

  // The facet nearest to (x, y) and how far (x, y) lies from the crease to the next nearest one.
  std::pair<const Facet*, double> Nearest(double x, double y) const
  {
    const int column = static_cast<int>(std::floor(x / FacetSize)) + 1;
    const int row = static_cast<int>(std::floor(y / FacetSize)) + 1;
    const Facet* nearest = nullptr;
    double first = 1e30;
    double second = 1e30;
    for (int r = std::max(row - 2, 0); r <= std::min(row + 2, mRows - 1); ++r) {
      for (int c = std::max(column - 2, 0); c <= std::min(column + 2, mColumns - 1); ++c) {
        const Facet& facet = mFacets[static_cast<std::size_t>(r * mColumns + c)];
        const double distance = std::hypot(x - facet.mX, y - facet.mY);
        if (distance < first) {
          second = first;
          first = distance;
          nearest = &facet;
        } else if (distance < second) {
          second = distance;
        }
      }
    }
    return {nearest, (second - first) * 0.5};
  }

private:
  int mColumns;
  int mRows;
  std::vector<Facet> mFacets;
};

// Small crinkles on top of the facets, as ridges of the noise.
double Crinkle(const Noise& noise, double x, double y)
{
  return 1.0 - std::abs(noise.Fractal(x / 19.0, y / 15.0, 3));
}

// Brightness reflected by a surface of normal n under a few soft studio lights, in [0, 1].
double Reflection(const Vector3& normal)
{
  const Vector3 view{0.0, 0.0, 1.0};
  const double along = 2.0 * Dot(normal, view);
  const Vector3 reflected{along * normal.x, along * normal.y, along * normal.z - 1.0};
  const std::array<std::pair<Vector3, double>, 3> lights = {{{Normalised({-0.45, -0.5, 0.75}), 14.0},
                                                            {Normalised({0.55, 0.25, 0.8}), 6.0},
                                                            {Normalised({0.0, 0.0, 1.0}), 2.0}}};
  double light = 0.0;
  for (const auto& [direction, sharpness] : lights) {
    light += std::pow(std::max(0.0, Dot(reflected, direction)), sharpness);
  }
  return std::clamp(0.12 + 0.6 * light, 0.0, 1.0);
}

// Maps brightness to the colours of polished gold, from deep brown-gold to a pale yellow glint.
QRgb GoldColour(double brightness)
{
  struct Stop {
    double mAt;
    std::array<double, 3> mColour;
  };
  constexpr std::array<Stop, 5> stops = {{{0.0, {70.0, 40.0, 6.0}},
                                          {0.35, {160.0, 108.0, 28.0}},
                                          {0.62, {228.0, 178.0, 68.0}},
                                          {0.85, {252.0, 222.0, 128.0}},
                                          {1.0, {255.0, 248.0, 212.0}}}};
  std::size_t upper = 1;
  while (upper + 1 < stops.size() && brightness > stops[upper].mAt) {
    ++upper;
  }
  const Stop& a = stops[upper - 1];
  const Stop& b = stops[upper];
  const double t = std::clamp((brightness - a.mAt) / (b.mAt - a.mAt), 0.0, 1.0);
  return qRgb(static_cast<int>(std::lround(std::lerp(a.mColour[0], b.mColour[0], t))),
              static_cast<int>(std::lround(std::lerp(a.mColour[1], b.mColour[1], t))),
              static_cast<int>(std::lround(std::lerp(a.mColour[2], b.mColour[2], t))));
}

double FoilBrightness(const Facets& facets, const Noise& noise, double x, double y)
{
  const auto [facet, crease] = facets.Nearest(x, y);
  constexpr double step = 0.5;
  const double slopeX = (Crinkle(noise, x + step, y) - Crinkle(noise, x - step, y)) / (2.0 * step);
  const double slopeY = (Crinkle(noise, x, y + step) - Crinkle(noise, x, y - step)) / (2.0 * step);
  const Vector3 normal = Normalised({facet->mTiltX - 3.5 * slopeX, facet->mTiltY - 3.5 * slopeY, 1.0});
  // Creases catch a little shadow; broad waves of the sheet brighten and dim whole regions.
  const double sheen = 0.88 + 0.22 * noise.Fractal(x / 260.0 + 50.0, y / 200.0, 2);
  return Reflection(normal) * sheen * (0.7 + 0.3 * SmoothStep(0.0, 2.5, crease));
}

} // namespace

QImage GoldFoil()
{
  Random random(334u);
  const Facets facets(random);
  const Noise noise(5u);
  QImage image(Width, Height, QImage::Format_RGB32);
  for (int y = 0; y < Height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < Width; ++x) {
      double sum = 0.0;
      for (int sy = 0; sy < SamplesPerAxis; ++sy) {
        for (int sx = 0; sx < SamplesPerAxis; ++sx) {
          sum += FoilBrightness(facets, noise, x + (sx + 0.5) / SamplesPerAxis, y + (sy + 0.5) / SamplesPerAxis);
        }
      }
      line[x] = GoldColour(sum / (SamplesPerAxis * SamplesPerAxis));
    }
  }
  return image;
}

} // namespace Artwork
