#pragma once

#include "views/LetterboxedPhoto.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <string>

namespace Pellora::Views {

// The small photo at the top of the end-credit dialog, letterboxed on black.
class EndCreditImageStatic : public QWidget {
    Q_OBJECT

public:
    explicit EndCreditImageStatic(QWidget* parent = nullptr);

    // Reads the photo once and fits it into the control's current size.
    void SetPhoto(const std::u16string& path);
    const PhotoPlacement& Placement() const { return mPlacement; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mPicture;
    QColor mFillColour = QColor::fromRgba(0xFF000000);
    PhotoPlacement mPlacement;
};

} // namespace Pellora::Views
