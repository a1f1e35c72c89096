#include "Icon.h"

#include <QPainter>
#include <QPainterPath>

namespace Artwork {

namespace {

constexpr int kSide = 256;

void DrawPhoto(QPainter& painter, qreal angle, QColor sky, QColor ground)
{
    painter.save();
    painter.translate(kSide / 2.0, kSide / 2.0 + 10);
    painter.rotate(angle);
    const QRectF frame(-70, -52, 140, 104);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(frame.translated(3, 4), 4, 4);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(frame, 4, 4);
    const QRectF picture = frame.adjusted(8, 8, -8, -8);
    QLinearGradient light(picture.topLeft(), picture.bottomLeft());
    light.setColorAt(0, sky.lighter(130));
    light.setColorAt(1, sky);
    painter.fillRect(picture, light);
    QPainterPath hills;
    hills.moveTo(picture.left(), picture.bottom());
    hills.lineTo(picture.left(), picture.center().y() + 10);
    hills.quadTo(picture.center().x() - 20, picture.top() + 20, picture.center().x() + 10, picture.center().y() + 8);
    hills.quadTo(picture.right() - 20, picture.center().y(), picture.right(), picture.center().y() + 14);
    hills.lineTo(picture.right(), picture.bottom());
    hills.closeSubpath();
    painter.fillPath(hills, ground);
    painter.restore();
}

} // namespace

QImage ProgramIcon()
{
    QImage icon(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, kSide);
    face.setColorAt(0, QColor(0, 150, 215));
    face.setColorAt(1, QColor(0, 100, 150));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(8, 8, kSide - 16, kSide - 16), 44, 44);
    DrawPhoto(painter, -16, QColor(250, 170, 60), QColor(150, 70, 40));
    DrawPhoto(painter, 9, QColor(120, 200, 120), QColor(40, 110, 60));
    DrawPhoto(painter, -3, QColor(110, 180, 240), QColor(30, 90, 150));
    QPainterPath play;
    const QPointF centre(kSide / 2.0 + 4, kSide / 2.0 + 10);
    play.moveTo(centre + QPointF(-16, -22));
    play.lineTo(centre + QPointF(24, 0));
    play.lineTo(centre + QPointF(-16, 22));
    play.closeSubpath();
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.setPen(QPen(QColor(255, 255, 255, 230), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(play);
    return icon;
}

} // namespace Artwork
