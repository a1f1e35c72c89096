#include "views/CircleDlg.h"

#include "views/CircleImageStatic.h"
#include "views/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

namespace Pellora::Views {

CircleDlg::CircleDlg(QWidget* parent) : PhotoDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Circle"));
    BuildControls();
}

void CircleDlg::BuildControls()
{
    const double f = logicalDpiX() / 96.0;
    const auto place = [f](QWidget* control, int x, int y, int width, int height) {
        PlaceInDialogUnits(*control, QRect(x, y, width, height), f);
    };
    place(new QLabel(QStringLiteral("Select 1 or 2 spots for expanding circle effect"), this), 18, 18, 159, 8);
    mRemoveAllButton = new QPushButton(QStringLiteral("Remove All Circles"), this);
    mRemoveAllButton->setAutoDefault(false);
    place(mRemoveAllButton, 301, 14, 94, 14);
    mPreview = new CircleImageStatic(this);
    place(mPreview, 20, 34, 373, 304);
    mOkButton = new QPushButton(QStringLiteral("OK"), this);
    mOkButton->setDefault(true);
    place(mOkButton, 287, 348, 50, 14);
    mCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    mCancelButton->setAutoDefault(false);
    place(mCancelButton, 347, 348, 50, 14);
    setFixedSize(DialogUnitsToPixels(QRect(0, 0, 415, 369), f).size());

    connect(mRemoveAllButton, &QPushButton::clicked, mPreview, &CircleImageStatic::RemoveAllSpots);
    connect(mOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(mCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CircleDlg::OnInitDialog()
{
    mPreview->SetFillColour(QColor::fromRgba(0xFFD3D3D3));
    mPreview->SetPhoto(PhotoPath());
    mPreview->ShowPoints(mPoints);
}

} // namespace Pellora::Views
