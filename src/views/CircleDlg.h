#pragma once

#include "project/ProjectSettings.h"

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;

namespace Pellora::Views {

class CircleImageStatic;

// "Select Circle": one or two spots on a photo around which the expanding circles open. After OK
// the caller reads the spots and the photo's placement from the preview.
class CircleDlg : public QDialog {
    Q_OBJECT

public:
    explicit CircleDlg(QWidget* parent = nullptr);

    // Both are set before the dialog is shown.
    void SetPhotoPath(const std::u16string& path) { mPhotoPath = path; }
    void SetPoints(const std::vector<CirclePoint>& points) { mPoints = points; }

    CircleImageStatic* Preview() const { return mPreview; }
    QPushButton* RemoveAllButton() const { return mRemoveAllButton; }
    QPushButton* OkButton() const { return mOkButton; }
    QPushButton* CancelButton() const { return mCancelButton; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    // Shows the photo and the stored points; runs when the dialog first shows.
    void OnInitDialog();

    std::u16string mPhotoPath;
    std::vector<CirclePoint> mPoints;
    bool mInitialised = false;
    CircleImageStatic* mPreview = nullptr;
    QPushButton* mRemoveAllButton = nullptr;
    QPushButton* mOkButton = nullptr;
    QPushButton* mCancelButton = nullptr;
};

} // namespace Pellora::Views
