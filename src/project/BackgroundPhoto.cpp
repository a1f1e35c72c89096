#include "BackgroundPhoto.h"

#include "Paths.h"

#include <QImageReader>
#include <QString>

#include <algorithm>

namespace {

std::int32_t ChooseDim(std::int32_t largerSide)
{
  // Tiny pictures, and pictures whose size could not be read, get the largest texture.
  if (largerSide <= 32) {
    return 2048;
  }
  for (std::int32_t dim = 64; dim <= 1024; dim *= 2) {
    if (largerSide <= dim) {
      return dim;
    }
  }
  return 2048;
}

}

BackgroundFit FitBackground(std::int32_t width, std::int32_t height)
{
  const std::int32_t dim = ChooseDim(std::max(width, height));
  if (width <= 0 || height <= 0) {
    return {dim, dim, dim};
  }
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  if (width > height) {
    return {dim, dim, static_cast<std::int32_t>(static_cast<float>(dim) / aspect)};
  }
  return {dim, static_cast<std::int32_t>(aspect * static_cast<float>(dim)), dim};
}

PhotoInfo MakeBackgroundPhotoInfo(const std::u16string& path)
{
  PhotoInfo photo;
  photo.OrigImage = path;
  photo.Image = path;
  const FileTimeHalves written = GetFileWriteTime(path);
  photo.ModifiedLow = written.Low;
  photo.ModifiedHigh = written.High;
  const QSize size = QImageReader(QString::fromStdU16String(path)).size();
  const BackgroundFit fit = FitBackground(size.width(), size.height());
  photo.Dim = fit.Dim;
  photo.Width = fit.Width;
  photo.Height = fit.Height;
  return photo;
}
