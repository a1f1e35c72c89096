#pragma once

#include <string>

namespace Pellora::Desktop {

// The thumbnail file for a photo: the folder joined with the photo's file name and
// ".thumbnail.jpg" (for .jpg/.jpeg), ".thumbnail.png" (for .png) or nothing (any other extension).
// Photos of the same name in different folders share one thumbnail.
std::u16string ThumbnailPathFor(const std::u16string& folder, const std::u16string& photoPath);

// Writes a JPEG (quality 100, also for ".png" names) of the photo fitted into 98 x 98 unless the
// thumbnail file exists already. False when the photo cannot be decoded or the file not written.
bool MakeThumbnail(const std::u16string& photoPath, const std::u16string& thumbnailPath);

} // namespace Pellora::Desktop
