#include "views/LetterboxedPhoto.h"

#include <QImageReader>
#include <QPainter>

namespace Pellora::Views {

PhotoPlacement FitPhoto(QSize controlSize, QSize photoSize)
{
    const int cw = controlSize.width();
    const int ch = controlSize.height();
    const int pw = photoSize.width();
    const int ph = photoSize.height();
    if (pw <= 0 || ph <= 0 || cw <= 0 || ch <= 0) {
        return {true, 0, 0, cw, ch};
    }
    PhotoPlacement placement;
    placement.Wider = static_cast<float>(cw) / static_cast<float>(ch) <= static_cast<float>(pw) / static_cast<float>(ph);
    if (placement.Wider) {
        placement.Width = cw;
        placement.Height = static_cast<std::int32_t>(static_cast<float>(cw) / static_cast<float>(pw) * static_cast<float>(ph));
        placement.Y = (ch - placement.Height) / 2;
    } else {
        placement.Height = ch;
        placement.Width = static_cast<std::int32_t>(static_cast<float>(ch) / static_cast<float>(ph) * static_cast<float>(pw));
        placement.X = (cw - placement.Width) / 2;
    }
    return placement;
}

LetterboxedPicture MakeLetterboxedPicture(
    QSize controlSize, qreal devicePixelRatio, const std::u16string& photoPath, QColor fill)
{
    QImageReader reader(QString::fromStdU16String(photoPath));
    reader.setAutoTransform(true);
    const QImage photo = reader.read();

    LetterboxedPicture result;
    result.Placement = FitPhoto(controlSize, photo.size());
    result.Picture = QImage(controlSize * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    result.Picture.setDevicePixelRatio(devicePixelRatio);
    result.Picture.fill(fill);
    if (!photo.isNull()) {
        QPainter painter(&result.Picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const PhotoPlacement& p = result.Placement;
        const QSize target = QSize(p.Width, p.Height) * devicePixelRatio;
        painter.drawImage(QRect(p.X, p.Y, p.Width, p.Height),
            photo.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return result;
}

} // namespace Pellora::Views
