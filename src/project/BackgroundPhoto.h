#pragma once

#include "ProjectSettings.h"

#include <cstdint>
#include <string>

// Texture side for a background picture and the picture's size fitted into it.
struct BackgroundFit {
  std::int32_t Dim = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// Chooses the power-of-two texture side from the larger picture side and fits the picture into
// it keeping the aspect ratio. A picture of unknown size (0 or less) gets a square fit.
BackgroundFit FitBackground(std::int32_t width, std::int32_t height);

// The record for a newly chosen background picture: its path as OrigImage and Image, its
// last-write time and the fit of its pixel size (read from the file header only).
PhotoInfo MakeBackgroundPhotoInfo(const std::u16string& path);
