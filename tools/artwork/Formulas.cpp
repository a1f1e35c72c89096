#include "Formulas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace Artwork {
namespace {

constexpr int FrameSide = 1024;
constexpr std::array<int, 11> ShadowRamp = {144, 123, 107, 92, 82, 70, 58, 46, 35, 26, 17};

bool Inside(int x, int y, int low, int high)
{
  return x >= low && x <= high && y >= low && y <= high;
}

QRgb FramePixel(int x, int y, bool withShadow)
{
  if (Inside(x, y, 11, 1012)) {
    return Inside(x, y, 102, 921) ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255);
  }
  if (withShadow && Inside(x, y, 22, 1023)) {
    const int k = std::max({0, x - 1013, 32 - x, y - 1013, 32 - y});
    return qRgba(0, 0, 0, ShadowRamp[static_cast<std::size_t>(k)]);
  }
  return qRgba(0, 0, 0, 0);
}

} // namespace

QImage GreyRamp()
{
  QImage image(128, 128, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    int grey = 0;
    if (y <= 90) {
      // At 60 degrees the exact value 127.5 is a tie; it rounds up to 128.
      grey = static_cast<int>(std::lround(255.0 * std::cos(y * std::numbers::pi / 180.0)));
    }
    std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), image.width(), qRgb(grey, grey, grey));
  }
  return image;
}

QImage FramePicture(bool withShadow)
{
  QImage image(FrameSide, FrameSide, QImage::Format_ARGB32);
  for (int y = 0; y < FrameSide; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < FrameSide; ++x) {
      line[x] = FramePixel(x, y, withShadow);
    }
  }
  return image;
}

} // namespace Artwork
