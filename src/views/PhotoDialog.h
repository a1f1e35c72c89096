#pragma once

#include <QDialog>

#include <string>

namespace Pellora::Views {

// A dialog about one photo: the caller gives the photo path (and whatever else the dialog edits)
// before it opens, and the dialog fills its controls from them the first time it shows.
class PhotoDialog : public QDialog {
    Q_OBJECT

public:
    explicit PhotoDialog(QWidget* parent = nullptr) : QDialog(parent) {}

    void SetPhotoPath(const std::u16string& path) { mPhotoPath = path; }
    const std::u16string& PhotoPath() const { return mPhotoPath; }

protected:
    void showEvent(QShowEvent* event) override;
    virtual void OnInitDialog() = 0;

private:
    std::u16string mPhotoPath;
    bool mInitialised = false;
};

} // namespace Pellora::Views
