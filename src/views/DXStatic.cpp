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
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), mPicture);
}

} // namespace Pellora::Views
