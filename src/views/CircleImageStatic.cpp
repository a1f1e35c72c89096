#include "views/CircleImageStatic.h"

#include <QMouseEvent>
#include <QPainter>

namespace Pellora::Views {

QPoint CirclePointToSpot(const CirclePoint& point, const PhotoPlacement& placement)
{
    if (placement.Wider) {
        const auto side = static_cast<float>(placement.Width);
        return {static_cast<int>(side * point.X), static_cast<int>(side * point.Y + static_cast<float>(placement.Y))};
    }
    const auto side = static_cast<float>(placement.Height);
    return {static_cast<int>(side * point.X + static_cast<float>(placement.X)), static_cast<int>(side * point.Y)};
}

CirclePoint SpotToCirclePoint(QPoint spot, const PhotoPlacement& placement)
{
    // Only a control of no size has a photo of no size; its spots mean nothing.
    if (placement.Width <= 0 || placement.Height <= 0) {
        return {};
    }
    if (placement.Wider) {
        const auto side = static_cast<float>(placement.Width);
        return {static_cast<float>(spot.x()) / side, static_cast<float>(spot.y() - placement.Y) / side};
    }
    const auto side = static_cast<float>(placement.Height);
    return {static_cast<float>(spot.x() - placement.X) / side, static_cast<float>(spot.y()) / side};
}

CircleImageStatic::CircleImageStatic(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void CircleImageStatic::SetPhoto(const std::u16string& path)
{
    LetterboxedPicture picture = MakeLetterboxedPicture(size(), devicePixelRatioF(), path, mFillColour);
    mPicture = std::move(picture.Picture);
    mPlacement = picture.Placement;
    update();
}

void CircleImageStatic::ShowPoints(const std::vector<CirclePoint>& points)
{
    mSpotCount = 0;
    for (const CirclePoint& point : points) {
        if (mSpotCount >= mMaximumSpots) {
            break;
        }
        mSpots[static_cast<std::size_t>(mSpotCount)] = CirclePointToSpot(point, mPlacement);
        ++mSpotCount;
    }
    update();
}

void CircleImageStatic::RemoveAllSpots()
{
    mSpotCount = 0;
    update();
}

std::vector<QPoint> CircleImageStatic::Spots() const
{
    return {mSpots.begin(), mSpots.begin() + mSpotCount};
}

bool CircleImageStatic::OnPhoto(QPoint point) const
{
    const PhotoPlacement& p = mPlacement;
    return p.Wider ? p.Y <= point.y() && point.y() <= p.Y + p.Height : p.X <= point.x() && point.x() <= p.X + p.Width;
}

void CircleImageStatic::DrawRing(QPainter& painter, QPoint centre, QColor colour) const
{
    painter.setPen(QPen(colour, 3.0));
    painter.drawEllipse(centre, mRingRadius, mRingRadius);
}

void CircleImageStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), mFillColour);
    painter.drawImage(QPoint(0, 0), mPicture);
    painter.setBrush(Qt::NoBrush);
    for (const QPoint& spot : Spots()) {
        DrawRing(painter, spot, mSpotColour);
    }
    if (mHover != QPoint(0, 0) && OnPhoto(mHover)) {
        DrawRing(painter, mHover, mHoverColour);
    }
}

void CircleImageStatic::mouseMoveEvent(QMouseEvent* event)
{
    mHover = event->position().toPoint();
    update();
    QWidget::mouseMoveEvent(event);
}

void CircleImageStatic::leaveEvent(QEvent* event)
{
    mHover = QPoint(0, 0);
    update();
    QWidget::leaveEvent(event);
}

void CircleImageStatic::mouseReleaseEvent(QMouseEvent* event)
{
    // A click without a move before it (keyboard-driven pointer, tests) still counts where it lands.
    mHover = event->position().toPoint();
    if (event->button() == Qt::LeftButton && mSpotCount < mMaximumSpots && OnPhoto(mHover)) {
        mSpots[static_cast<std::size_t>(mSpotCount)] = mHover;
        ++mSpotCount;
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace Pellora::Views
