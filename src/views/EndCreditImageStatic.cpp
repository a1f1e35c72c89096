#include "views/EndCreditImageStatic.h"

#include <QPainter>

namespace Pellora::Views {

EndCreditImageStatic::EndCreditImageStatic(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EndCreditImageStatic::SetPhoto(const std::u16string& path)
{
    LetterboxedPicture picture = MakeLetterboxedPicture(size(), devicePixelRatioF(), path, mFillColour);
    mPicture = std::move(picture.Picture);
    mPlacement = picture.Placement;
    update();
}

void EndCreditImageStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), mFillColour);
    painter.drawImage(QPoint(0, 0), mPicture);
}

} // namespace Pellora::Views
