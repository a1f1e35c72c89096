#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <string>

namespace Pellora::Views {

// Where a photo lies inside a preview in control pixels. Wider: the photo is relatively wider than
// the control and fills its width, with bars above and below; otherwise it fills the height.
struct PhotoPlacement {
    bool Wider = true;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// The photo (photoSize) fitted into the control (controlSize), centred along the other axis. A
// photo of no size (unreadable) is taken to fill the whole control.
PhotoPlacement FitPhoto(QSize controlSize, QSize photoSize);

// A preview picture: the control filled with the bar colour and the photo drawn into its place.
struct LetterboxedPicture {
    QImage Picture;
    PhotoPlacement Placement;
};

// Reads the photo (turned upright like the show turns it) and letterboxes it into a picture of the
// control's size, drawn at devicePixelRatio; a photo that cannot be read leaves only the fill.
LetterboxedPicture MakeLetterboxedPicture(
    QSize controlSize, qreal devicePixelRatio, const std::u16string& photoPath, QColor fill);

} // namespace Pellora::Views
