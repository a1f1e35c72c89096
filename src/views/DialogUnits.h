#pragma once

#include <QRect>

class QWidget;

namespace Pellora::Views {

// A rectangle given in dialog units, in pixels at the DPI factor (dpi / 96): the dialogs keep the
// proportions of their layouts whatever the font, with the horizontal unit a quarter of an average
// character (6 pixels) and the vertical one an eighth of a line (13 pixels).
QRect DialogUnitsToPixels(QRect dialogUnits, double dpiFactor);

// Puts the control at its rectangle in dialog units, grown to its minimum size where the
// desktop's font needs more room than the layout gives (labels and buttons).
void PlaceInDialogUnits(QWidget& control, QRect dialogUnits, double dpiFactor);

} // namespace Pellora::Views
