#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;

namespace Pellora::Views {

// The family at a size in pixels of the device, kept fractional (22.5 pixels stays 22.5). Sizes are
// given in pixels already scaled by the DPI factor, so the device's own DPI must not scale them again.
QFont PixelFont(const QString& family, qreal pixels, QFont::Weight weight, const QPaintDevice& device);

} // namespace Pellora::Views
