#pragma once

#include "project/ProjectSettings.h"
#include "views/PhotoDialog.h"

#include <string>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace Pellora::Views {

class CFontScrollView;
class EndCreditImageStatic;
class TextDisplayStatic;

// "Add End Credit Text for Photo": the credit text of one photo, its font from the font list and a
// bold switch, with the photo small at the top and a live preview of the text. OK and Remove edit
// the record and accept; Cancel leaves it as it was. An empty FontName means no end credit.
class EndCreditDlg : public PhotoDialog {
    Q_OBJECT

public:
    explicit EndCreditDlg(QWidget* parent = nullptr);

    // Set before the dialog is shown, like the photo path; the record's ImagePath passes through unchanged.
    void SetRecord(const EndCreditInfo& record) { mRecord = record; }
    const EndCreditInfo& Record() const { return mRecord; }

    // Brings the text preview up to the edit, the selected font and the bold switch.
    void UpdatePreview();
    void OnOK();
    void OnRemove();

    CFontScrollView* FontView() const { return mFontView; }
    QPlainTextEdit* TextEdit() const { return mTextEdit; }
    QCheckBox* BoldSwitch() const { return mBoldSwitch; }
    TextDisplayStatic* TextPreview() const { return mTextPreview; }
    EndCreditImageStatic* PhotoPreview() const { return mPhotoPreview; }
    QPushButton* OkButton() const { return mOkButton; }
    QPushButton* RemoveButton() const { return mRemoveButton; }
    QPushButton* CancelButton() const { return mCancelButton; }

protected:
    void OnInitDialog() override;

private:
    void BuildControls();

    EndCreditInfo mRecord;
    CFontScrollView* mFontView = nullptr;
    QPlainTextEdit* mTextEdit = nullptr;
    TextDisplayStatic* mTextPreview = nullptr;
    EndCreditImageStatic* mPhotoPreview = nullptr;
    QCheckBox* mBoldSwitch = nullptr;
    QPushButton* mOkButton = nullptr;
    QPushButton* mRemoveButton = nullptr;
    QPushButton* mCancelButton = nullptr;
};

} // namespace Pellora::Views
