#include "views/TextDisplayStatic.h"

#include "views/PixelFont.h"

#include <QPainter>

namespace Pellora::Views {

TextDisplayStatic::TextDisplayStatic(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

float TextDisplayStatic::DpiFactor() const
{
    return static_cast<float>(logicalDpiY()) / 96.0f;
}

QFont TextDisplayStatic::TextFont() const
{
    return PixelFont(QString::fromStdU16String(mFontName), mFontSize * DpiFactor(),
        mBold ? QFont::Bold : QFont::Normal, *this);
}

void TextDisplayStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF area = rect();
    painter.fillRect(area, Qt::white);
    // Inset by half the pen, so that the whole outline lies inside the control.
    const qreal half = mOutlineWidth / 2.0;
    painter.setPen(QPen(Qt::black, mOutlineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(half, half, -half, -half));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(TextFont());
    const int alignment = mCentred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop;
    painter.drawText(area, alignment | Qt::TextWordWrap, QString::fromStdU16String(mText));
}

} // namespace Pellora::Views
