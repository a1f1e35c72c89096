#include "views/PixelFont.h"

#include <QPaintDevice>
#include <QStringList>

namespace Pellora::Views {

QFont PixelFont(const QString& family, qreal pixels, QFont::Weight weight, const QPaintDevice& device)
{
    QFont font;
    font.setFamilies(QStringList{family}); // exactly this family: a name may hold a comma
    font.setPointSizeF(pixels * 72.0 / device.logicalDpiY());
    font.setWeight(weight);
    font.setStyle(QFont::StyleNormal);
    font.setStretch(QFont::Unstretched);
    return font;
}

} // namespace Pellora::Views
