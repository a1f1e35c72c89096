#include "views/DXStatic.h"

#include <QPainter>

namespace Pellora::Views {

namespace {

const QColor kIdleFill = QColor::fromRgba(0xFF303030);

} // namespace

DXStatic::DXStatic(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 180);
}

void DXStatic::SetPicture(const QImage& picture)
{
    mPicture = picture.copy();
    ++mPicturesReceived;
    update();
}

void DXStatic::ClearPicture()
{
    mPicture = {};
    update();
}

QSize DXStatic::PixelSize() const
{
    return size() * devicePixelRatioF();
}

void DXStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (mPicture.isNull()) {
        painter.fillRect(rect(), kIdleFill);
        return;
    }
    // After a resize during playback the picture keeps its shape; the rest stays grey.
    const QSizeF shown = QSizeF(mPicture.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - shown.width()) / 2.0, (height() - shown.height()) / 2.0), shown);
    if (target.toRect() != rect()) {
        painter.fillRect(rect(), kIdleFill);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, mPicture);
}

} // namespace Pellora::Views
