#pragma once

#include <QImage>

namespace Artwork {

// The built-in 2048 x 2048 background: dark planks of wood. The show uses the upper 2048 x 1365.
QImage BlackWood();

} // namespace Artwork
