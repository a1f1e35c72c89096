#pragma once

#include <QImage>

namespace Artwork {

// The program's icon, 256 x 256 with transparency: a fan of three framed photos on the window's
// blue, with a play sign on the front photo.
QImage ProgramIcon();

} // namespace Artwork
