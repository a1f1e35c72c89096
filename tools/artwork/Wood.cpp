#include "Wood.h"

#include "Noise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Artwork {
namespace {

constexpr int Side = 2048;

// One board of the floor; all lengths in pixels.
struct Plank {
  double mLeft = 0.0;
  double mLength = 0.0;
  double mShiftU = 0.0;   // where this board was cut from the log, along and across the grain
  double mShiftV = 0.0;
  double mCoreDepth = 0.0; // distance of the cut from the log's core: small gives arched rings
  double mRingSpacing = 0.0;
  double mTone = 1.0;
};

struct PlankRow {
  int mTop = 0;
  int mHeight = 0;
  std::vector<Plank> mPlanks;
};

Plank NewPlank(Random& random, double left)
{
  Plank plank;
  plank.mLeft = left;
  plank.mLength = random.Uniform(650.0, 1500.0);
  plank.mShiftU = random.Uniform(0.0, 5000.0);
  plank.mShiftV = random.Uniform(-120.0, 120.0);
  plank.mCoreDepth = random.Uniform(60.0, 200.0);
  plank.mRingSpacing = random.Uniform(8.0, 14.0);
  plank.mTone = random.Uniform(0.82, 1.12);
  return plank;
}

std::vector<PlankRow> LayOutPlanks(Random& random)
{
  std::vector<PlankRow> rows;
  for (int top = 0; top < Side;) {
    PlankRow row;
    row.mTop = top;
    row.mHeight = static_cast<int>(random.Uniform(170.0, 250.0));
    for (double left = -random.Uniform(0.0, 1200.0); left < Side;) {
      row.mPlanks.push_back(NewPlank(random, left));
      left += row.mPlanks.back().mLength;
    }
    top += row.mHeight;
    rows.push_back(std::move(row));
  }
  return rows;
}

const PlankRow& RowAt(const std::vector<PlankRow>& rows, int y)
{
  const auto row = std::find_if(rows.begin(), rows.end(), [y](const PlankRow& r) { return y < r.mTop + r.mHeight; });
  return row == rows.end() ? rows.back() : *row;
}

const Plank& PlankAt(const PlankRow& row, double x)
{
  const auto plank = std::find_if(row.mPlanks.begin(), row.mPlanks.end(),
                                  [x](const Plank& p) { return x < p.mLeft + p.mLength; });
  return plank == row.mPlanks.end() ? row.mPlanks.back() : *plank;
}

// Darkness of the late wood in a growth ring at (u, v) of a board: 0 in the light early wood,
// rising steeply to 1 at the end of each ring.
double LateWood(const Noise& noise, const Plank& plank, double u, double v, double rowHeight)
{
  const double su = u + plank.mShiftU;
  const double warp = 26.0 * noise.Fractal(su / 700.0, v / 160.0, 3) + 4.0 * noise.Fractal(su / 120.0, v / 35.0, 2) +
                      1.2 * noise.At(su / 9.0, v / 6.0);
  const double across = v - rowHeight * 0.5 + plank.mShiftV + warp;
  const double depth = plank.mCoreDepth * (1.0 + 0.6 * noise.At(su / 900.0, plank.mShiftV / 50.0));
  const double radius = std::sqrt(across * across + depth * depth);
  // Growth rings differ in width and strength from year to year.
  const double year = radius / plank.mRingSpacing;
  const double phase = year + 0.9 * noise.At(year / 5.0, plank.mShiftU / 97.0);
  const double ring = phase - std::floor(phase);
  const double strength = 0.55 + 0.45 * noise.At(std::floor(phase) * 0.61, plank.mShiftV / 13.0 + 3.0);
  return strength * SmoothStep(0.72, 0.94, ring) * (1.0 - SmoothStep(0.94, 1.0, ring));
}

// Fine streaks of the fibres, long along the grain and thin across it, in about [-1, 1].
double Fibres(const Noise& noise, double u, double v)
{
  return 0.6 * noise.At(u / 70.0, v / 1.6) + 0.4 * noise.At(u / 23.0, v / 0.8);
}

// Open pores: short dark scratches along the grain, 0 where there are none.
double Pores(const Noise& noise, double u, double v)
{
  return SmoothStep(0.45, 0.8, noise.At(u / 38.0 + 91.0, v / 1.1));
}

// Shadow of the grooves between boards: 1 on the board, darker towards its edges.
double Groove(double distance)
{
  return 1.0 - 0.8 * std::exp(-distance * distance / 2.5);
}

QRgb WoodPixel(const Noise& grain, const Noise& fibres, const PlankRow& row, int x, int y)
{
  const Plank& plank = PlankAt(row, x + 0.5);
  const double u = x + 0.5 - plank.mLeft;
  const double v = y + 0.5 - row.mTop;
  const double late = LateWood(grain, plank, u, v, row.mHeight);
  const double streak = Fibres(fibres, u + plank.mShiftU, v + plank.mShiftV);
  const double sheen = 1.0 + 0.12 * grain.Fractal(x / 900.0 + 40.0, y / 900.0, 2);
  // The picture's own top edge is not a joint between boards.
  const double edge = std::min({u, plank.mLength - u, v + (row.mTop == 0 ? Side : 0.0), row.mHeight - v});
  const double pores = Pores(fibres, u + plank.mShiftU, v + plank.mShiftV);
  // The fibres show most in the dense late wood.
  const double texture = (1.0 + (0.12 + 0.2 * late) * streak) * (1.0 - 0.35 * pores);
  const double light = plank.mTone * sheen * texture * Groove(edge);
  constexpr std::array<double, 3> Early = {50.0, 33.0, 23.0};
  constexpr std::array<double, 3> Late = {24.0, 15.0, 11.0};
  std::array<int, 3> rgb{};
  for (std::size_t c = 0; c < rgb.size(); ++c) {
    rgb[c] = std::clamp(static_cast<int>(std::lround(std::lerp(Early[c], Late[c], late) * light)), 0, 255);
  }
  return qRgb(rgb[0], rgb[1], rgb[2]);
}

} // namespace

QImage BlackWood()
{
  Random random(20240611u);
  const std::vector<PlankRow> rows = LayOutPlanks(random);
  const Noise grain(7u);
  const Noise fibres(11u);
  QImage image(Side, Side, QImage::Format_RGB32);
  for (int y = 0; y < Side; ++y) {
    const PlankRow& row = RowAt(rows, y);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < Side; ++x) {
      line[x] = WoodPixel(grain, fibres, row, x, y);
    }
  }
  return image;
}

} // namespace Artwork
