#pragma once

#include <QImage>

namespace Artwork {

// The 626 x 424 crinkled gold-foil fill of the end-credit text.
QImage GoldFoil();

} // namespace Artwork
