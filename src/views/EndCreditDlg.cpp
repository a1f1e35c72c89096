#include "views/EndCreditDlg.h"

#include "views/CFontScrollView.h"
#include "views/DialogUnits.h"
#include "views/EndCreditImageStatic.h"
#include "views/TextDisplayStatic.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace Pellora::Views {

namespace {

const QString kPlaceholder = QStringLiteral("STARRING\nAlex Morgan\nSam Rivera");

} // namespace

EndCreditDlg::EndCreditDlg(QWidget* parent) : PhotoDialog(parent)
{
    setWindowTitle(QStringLiteral("Add End Credit Text for Photo"));
    BuildControls();
}

void EndCreditDlg::BuildControls()
{
    const int dpi = logicalDpiX();
    const double f = dpi / 96.0;
    const auto place = [f](QWidget* control, int x, int y, int width, int height) {
        PlaceInDialogUnits(*control, QRect(x, y, width, height), f);
    };
    mPhotoPreview = new EndCreditImageStatic(this);
    place(mPhotoPreview, 115, 7, 69, 63);
    place(new QLabel(QStringLiteral("Select Your Font"), this), 7, 74, 54, 8);
    place(new QLabel(QStringLiteral("Add Text Here"), this), 153, 75, 48, 8);
    mTextEdit = new QPlainTextEdit(this);
    mTextEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    place(mTextEdit, 153, 87, 149, 83);
    mBoldSwitch = new QCheckBox(QStringLiteral("Bold"), this);
    place(mBoldSwitch, 155, 175, 29, 10);
    place(new QLabel(QStringLiteral("Text Preview"), this), 7, 182, 43, 8);
    mTextPreview = new TextDisplayStatic(this);
    place(mTextPreview, 7, 193, 295, 91);
    mOkButton = new QPushButton(QStringLiteral("OK"), this);
    place(mOkButton, 136, 289, 50, 14);
    mRemoveButton = new QPushButton(QStringLiteral("Remove"), this);
    place(mRemoveButton, 194, 289, 50, 14);
    mCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    place(mCancelButton, 252, 289, 50, 14);
    // Return belongs to the text; no button answers it.
    for (QPushButton* button : {mOkButton, mRemoveButton, mCancelButton}) {
        button->setAutoDefault(false);
    }

    // The font list is placed in pixels, not dialog units.
    mFontView = new CFontScrollView(dpi, this);
    mFontView->setFrameShape(QFrame::StyledPanel);
    mFontView->setGeometry(dpi * 10 / 96, dpi * 140 / 96, dpi * 210 / 96, dpi * 140 / 96);
    setFixedSize(DialogUnitsToPixels(QRect(0, 0, 309, 310), f).size());

    connect(mTextEdit, &QPlainTextEdit::textChanged, this, &EndCreditDlg::UpdatePreview);
    connect(mBoldSwitch, &QCheckBox::clicked, this, &EndCreditDlg::UpdatePreview);
    connect(mOkButton, &QPushButton::clicked, this, &EndCreditDlg::OnOK);
    connect(mRemoveButton, &QPushButton::clicked, this, &EndCreditDlg::OnRemove);
    connect(mCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void EndCreditDlg::OnInitDialog()
{
    mFontView->OnInitialUpdate();
    mFontView->SetSelectionCallback([this] { UpdatePreview(); });
    mFontView->SelectFontByName(mRecord.FontName.empty() ? u"Arial" : mRecord.FontName);
    mFontView->ScrollTo(static_cast<int>(mFontView->RowPixels() * static_cast<float>(mFontView->Selection())));
    mPhotoPreview->SetPhoto(PhotoPath());
    // The edit keeps lines apart by its own line breaks; the record separates them by LF.
    mTextEdit->setPlainText(mRecord.Text.empty() ? kPlaceholder : QString::fromStdU16String(mRecord.Text));
    mBoldSwitch->setChecked(mRecord.Bold);
    UpdatePreview();
}

void EndCreditDlg::UpdatePreview()
{
    mTextPreview->SetFontName(mFontView->GetSelectedFontName());
    mTextPreview->SetText(mTextEdit->toPlainText().toStdU16String());
    mTextPreview->SetCentred(true);
    mTextPreview->SetOutlineWidth(1.0f);
    mTextPreview->SetFontSize(26.0f);
    mTextPreview->SetBold(mBoldSwitch->isChecked());
    mTextPreview->update();
}

void EndCreditDlg::OnOK()
{
    // Text pasted from elsewhere may carry CR LF line ends; the record keeps LF alone.
    const QString text = mTextEdit->toPlainText().remove(QLatin1Char('\r'));
    if (!text.isEmpty()) {
        mRecord.FontName = mFontView->GetSelectedFontName();
        mRecord.Text = text.toStdU16String();
    } else {
        mRecord.FontName.clear();
    }
    mRecord.Bold = mBoldSwitch->isChecked();
    accept();
}

void EndCreditDlg::OnRemove()
{
    mRecord.FontName.clear();
    accept();
}

} // namespace Pellora::Views
