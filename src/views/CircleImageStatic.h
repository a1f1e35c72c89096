#pragma once

#include "project/ProjectSettings.h"
#include "views/LetterboxedPhoto.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Pellora::Views {

// A stored centre (a position on the photo divided by its longer side) in control pixels, and back.
QPoint CirclePointToSpot(const CirclePoint& point, const PhotoPlacement& placement);
CirclePoint SpotToCirclePoint(QPoint spot, const PhotoPlacement& placement);

// The large photo of the circle dialog: letterboxed on the fill colour, the chosen spots as blue
// rings, a ring following the mouse over the photo, and one spot added per click on the photo.
class CircleImageStatic : public QWidget {
    Q_OBJECT

public:
    explicit CircleImageStatic(QWidget* parent = nullptr);

    void SetFillColour(QColor colour) { mFillColour = colour; }
    // Reads the photo once and fits it into the control's current size.
    void SetPhoto(const std::u16string& path);
    // Shows the first two stored centres as spots; the rest are left out.
    void ShowPoints(const std::vector<CirclePoint>& points);
    void RemoveAllSpots();

    const PhotoPlacement& Placement() const { return mPlacement; }
    // The chosen spots in control pixels, in the order they were set.
    std::vector<QPoint> Spots() const;
    QPoint Hover() const { return mHover; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Whether a point lies on the photo across the letterbox bars; along the photo's full side
    // every point counts.
    bool OnPhoto(QPoint point) const;
    void DrawRing(QPainter& painter, QPoint centre, QColor colour) const;

    QImage mPicture;
    PhotoPlacement mPlacement;
    QPoint mHover; // (0, 0): the mouse is not over the control
    std::array<QPoint, 2> mSpots;
    std::int32_t mSpotCount = 0;
    std::int32_t mRingRadius = 10;
    std::int32_t mMaximumSpots = 2;
    QColor mFillColour = QColor::fromRgba(0xFF000000);
    QColor mHoverColour = QColor::fromRgba(0xFF7FFFD4);
    QColor mSpotColour = QColor::fromRgba(0xFF00BFFF);
};

} // namespace Pellora::Views
