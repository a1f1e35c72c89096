#pragma once

#include <QImage>

namespace Artwork {

// The 128 x 128 opaque grey ramp of the dark band: row y holds round(255 cos(y degrees)) for
// y up to 90 and black below.
QImage GreyRamp();

// The 1024 x 1024 photo-frame picture (straight alpha): a white square ring around a black centre,
// with a soft drop shadow 11 pixels right of and below the white square when withShadow is set.
QImage FramePicture(bool withShadow);

} // namespace Artwork
