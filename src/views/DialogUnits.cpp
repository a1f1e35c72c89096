#include "views/DialogUnits.h"

#include <QWidget>

#include <cmath>

namespace Pellora::Views {

namespace {

constexpr double kPixelsPerUnitX = 6.0 / 4.0;
constexpr double kPixelsPerUnitY = 13.0 / 8.0;

int Scaled(int units, double pixelsPerUnit, double dpiFactor)
{
    return static_cast<int>(std::lround(units * pixelsPerUnit * dpiFactor));
}

} // namespace

QRect DialogUnitsToPixels(QRect dialogUnits, double dpiFactor)
{
    return {Scaled(dialogUnits.x(), kPixelsPerUnitX, dpiFactor), Scaled(dialogUnits.y(), kPixelsPerUnitY, dpiFactor),
        Scaled(dialogUnits.width(), kPixelsPerUnitX, dpiFactor),
        Scaled(dialogUnits.height(), kPixelsPerUnitY, dpiFactor)};
}

void PlaceInDialogUnits(QWidget& control, QRect dialogUnits, double dpiFactor)
{
    QRect area = DialogUnitsToPixels(dialogUnits, dpiFactor);
    area.setSize(area.size().expandedTo(control.minimumSizeHint()));
    control.setGeometry(area);
}

} // namespace Pellora::Views
