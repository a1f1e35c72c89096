#include "views/StaticButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Pellora::Views {

StaticButton::StaticButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void StaticButton::SetDpi(float dpi)
{
    const float factor = dpi / 96.0f;
    mDpi = dpi;
    mOutlineWidth *= factor;
    mCornerRadius = static_cast<int>(factor * static_cast<float>(mCornerRadius));
    DropFaces();
    update();
}

void StaticButton::SetKind(int kind)
{
    mKind = kind;
    DropFaces();
    update();
}

void StaticButton::SetEnabled(bool enabled)
{
    mEnabled = enabled;
    if (!enabled) {
        mHover = false;
    }
    update();
}

float StaticButton::GlyphSide() const
{
    const float glyphSize = static_cast<float>(std::min(width(), height())) - mScale * (mHover ? 20.0f : 22.0f);
    return mScale * glyphSize;
}

void StaticButton::DropFaces()
{
    mNormalFace = {};
    mDisabledFace = {};
    mHoverFace = {};
}

const QImage& StaticButton::Face()
{
    const qreal ratio = devicePixelRatioF();
    const auto stale = [&](const QImage& face) {
        return face.isNull() || face.deviceIndependentSize().toSize() != size() || face.devicePixelRatio() != ratio;
    };
    if (!mEnabled) {
        if (stale(mDisabledFace)) {
            mDisabledFace = PaintFace(mDisabledGlyphColor, false);
        }
        return mDisabledFace;
    }
    if (mHover) {
        if (stale(mHoverFace)) {
            mHoverFace = PaintFace(mHoverGlyphColor, true);
        }
        return mHoverFace;
    }
    if (stale(mNormalFace)) {
        mNormalFace = PaintFace(mNormalGlyphColor, false);
    }
    return mNormalFace;
}

QImage StaticButton::PaintFace(QColor glyph, bool smooth) const
{
    const qreal ratio = devicePixelRatioF();
    QImage face(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    face.setDevicePixelRatio(ratio);
    face.fill(mBackgroundColor);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    const QRectF rounded(2, 2, width() - 4, height() - 4);
    painter.setPen(QPen(glyph, mOutlineWidth));
    painter.setBrush(mFaceColor);
    painter.drawRoundedRect(rounded, mCornerRadius, mCornerRadius);
    PaintGlyph(painter, glyph);
    return face;
}

void StaticButton::PaintGlyph(QPainter& painter, QColor glyph) const
{
    const float side = GlyphSide();
    const int s = static_cast<int>(side);
    const int x0 = (static_cast<int>(mScale * static_cast<float>(width())) - s) / 2;
    const int y0 = (static_cast<int>(mScale * static_cast<float>(height())) - s) / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(glyph);
    switch (mKind) {
    case Play: {
        const qreal left = x0 + 0.067 * s;
        const qreal top = y0 - 1;
        QPainterPath triangle;
        triangle.moveTo(left, top);
        triangle.lineTo(left + 0.866 * s, top + s / 2.0);
        triangle.lineTo(left, top + s);
        triangle.closeSubpath();
        // A round-joined outline rounds the corners by about half its width.
        const qreal corner = 3.0 * mScale * mDpi / 96.0;
        painter.setPen(QPen(glyph, std::max(1.0, corner), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(triangle);
        break;
    }
    case Stop:
        painter.drawRect(QRectF(x0, y0, s, s));
        break;
    case Pause: {
        const qreal barWidth = s / 2.0 - 2.0 * mScale;
        painter.drawRect(QRectF(x0, y0, barWidth, s));
        painter.drawRect(QRectF(x0 + s / 2.0 + 4.0 * mScale, y0, barWidth, s));
        break;
    }
    default:
        PaintFilmStrip(painter, QRectF(x0, y0, s, s), glyph);
        break;
    }
}

void StaticButton::PaintFilmStrip(QPainter& painter, QRectF square, QColor glyph) const
{
    const qreal s = square.width();
    painter.drawRect(square);
    painter.setBrush(mFaceColor);
    const qreal frameWidth = std::round(0.5 * s);
    const qreal centreHeight = 0.41666666 * s;
    const qreal gap = 0.16666667 * s;
    const qreal frameLeft = square.left() + (s - frameWidth) / 2.0;
    const qreal stackTop = square.top() + (s - (2.0 * centreHeight + 2.0 * gap)) / 2.0;
    const qreal radius = mLabelCornerRadius * mScale;
    const qreal heights[] = {centreHeight / 2.0, centreHeight, centreHeight / 2.0};
    qreal y = stackTop;
    for (const qreal h : heights) {
        painter.drawRoundedRect(QRectF(frameLeft, y, frameWidth, h), radius, radius);
        y += h + gap;
    }
    const qreal hole = 0.11111111 * s;
    const qreal inset = 0.055555556 * s;
    for (int i = 0; i < 6; ++i) {
        const qreal top = square.top() + inset + i * (hole + inset);
        painter.drawRect(QRectF(square.left() + inset, top, hole, hole));
        painter.drawRect(QRectF(square.right() - inset - hole, top, hole, hole));
    }
    painter.setBrush(glyph);
}

void StaticButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), Face());
}

void StaticButton::enterEvent(QEnterEvent*)
{
    if (mEnabled && !mHover) {
        mHover = true;
        update();
    }
}

void StaticButton::leaveEvent(QEvent*)
{
    if (mEnabled) {
        mHover = false;
        update();
    }
}

void StaticButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && mEnabled) {
        mHover = false;
        update();
        if (mAction) {
            mAction();
        }
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace Pellora::Views
