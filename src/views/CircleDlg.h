#pragma once

#include "project/ProjectSettings.h"
#include "views/PhotoDialog.h"

#include <string>
#include <vector>

class QPushButton;

namespace Pellora::Views {

class CircleImageStatic;

// "Select Circle": one or two spots on a photo around which the expanding circles open. After OK
// the caller reads the spots and the photo's placement from the preview.
class CircleDlg : public PhotoDialog {
    Q_OBJECT

public:
    explicit CircleDlg(QWidget* parent = nullptr);

    // Set before the dialog is shown, like the photo path.
    void SetPoints(const std::vector<CirclePoint>& points) { mPoints = points; }

    CircleImageStatic* Preview() const { return mPreview; }
    QPushButton* RemoveAllButton() const { return mRemoveAllButton; }
    QPushButton* OkButton() const { return mOkButton; }
    QPushButton* CancelButton() const { return mCancelButton; }

protected:
    void OnInitDialog() override;

private:
    void BuildControls();

    std::vector<CirclePoint> mPoints;
    CircleImageStatic* mPreview = nullptr;
    QPushButton* mRemoveAllButton = nullptr;
    QPushButton* mOkButton = nullptr;
    QPushButton* mCancelButton = nullptr;
};

} // namespace Pellora::Views
