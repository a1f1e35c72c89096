// The two letterboxed photo previews of the per-photo dialogs, and the circle spots on them.
#include "views/CircleImageStatic.h"
#include "views/EndCreditImageStatic.h"

#include "WidgetTestSupport.h"

#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Pellora::Views::CircleImageStatic;
using Pellora::Views::EndCreditImageStatic;
using Pellora::Views::PhotoPlacement;

void MoveMouse(QWidget& widget, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, widget.mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

class PhotoFiles {
public:
    std::u16string Make(int width, int height)
    {
        QImage photo(width, height, QImage::Format_RGB32);
        photo.fill(QColor(200, 60, 30));
        const QString path = mFolder.filePath(QStringLiteral("%1x%2.png").arg(width).arg(height));
        photo.save(path);
        return path.toStdU16String();
    }

private:
    QTemporaryDir mFolder;
};

// What every preview test needs: the application and a folder for its photos.
struct WithPhotos {
    Pellora::Testing::UsesApp mApp;
    PhotoFiles mFiles;
};

struct LetterboxCase {
    const char* name;
    QSize control;
    QSize photo;
    bool circlePreview;
    PhotoPlacement expected;
};

class LetterboxTest : public ::testing::TestWithParam<LetterboxCase>, protected WithPhotos {};

TEST_P(LetterboxTest, PhotoFillsOneSideAndIsCentredAlongTheOther)
{
    const LetterboxCase& c = GetParam();
    const std::u16string path = mFiles.Make(c.photo.width(), c.photo.height());
    PhotoPlacement placement;
    QImage picture;
    QColor bars;
    if (c.circlePreview) {
        CircleImageStatic preview;
        preview.resize(c.control);
        bars = QColor::fromRgba(0xFFD3D3D3);
        preview.SetFillColour(bars);
        preview.SetPhoto(path);
        placement = preview.Placement();
        picture = preview.grab().toImage();
    } else {
        EndCreditImageStatic preview;
        preview.resize(c.control);
        bars = Qt::black;
        preview.SetPhoto(path);
        placement = preview.Placement();
        picture = preview.grab().toImage();
    }
    EXPECT_EQ(placement.Wider, c.expected.Wider);
    EXPECT_EQ(placement.X, c.expected.X);
    EXPECT_EQ(placement.Y, c.expected.Y);
    EXPECT_EQ(placement.Width, c.expected.Width);
    EXPECT_EQ(placement.Height, c.expected.Height);
    EXPECT_EQ(picture.pixelColor(0, 0), bars) << "a bar at the top-left corner";
    const QPoint centre(c.expected.X + c.expected.Width / 2, c.expected.Y + c.expected.Height / 2);
    EXPECT_EQ(picture.pixelColor(centre), QColor(200, 60, 30));
}

INSTANTIATE_TEST_SUITE_P(Previews, LetterboxTest,
    ::testing::Values(LetterboxCase{"EndCreditLandscape", {100, 100}, {400, 300}, false, {true, 0, 12, 100, 75}},
        LetterboxCase{"EndCreditPortrait", {100, 100}, {300, 400}, false, {false, 12, 0, 75, 100}},
        LetterboxCase{"CircleLandscape", {400, 400}, {1600, 1200}, true, {true, 0, 50, 400, 300}},
        LetterboxCase{"CirclePortrait", {400, 400}, {1200, 1600}, true, {false, 50, 0, 300, 400}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct ClickCase {
    const char* name;
    QSize photo;
    QPoint click;
    bool added;
    float x;
    float y;
};

class CircleClickTest : public ::testing::TestWithParam<ClickCase>, protected WithPhotos {};

TEST_P(CircleClickTest, ClicksOnThePhotoBecomeCentresAndClicksOnTheBarsDoNot)
{
    const ClickCase& c = GetParam();
    CircleImageStatic preview;
    preview.resize(400, 400);
    preview.SetPhoto(mFiles.Make(c.photo.width(), c.photo.height()));
    QTest::mouseClick(&preview, Qt::LeftButton, {}, c.click);
    const std::vector<QPoint> spots = preview.Spots();
    ASSERT_EQ(spots.size(), c.added ? 1u : 0u);
    if (c.added) {
        const CirclePoint point = Pellora::Views::SpotToCirclePoint(spots[0], preview.Placement());
        EXPECT_FLOAT_EQ(point.X, c.x);
        EXPECT_FLOAT_EQ(point.Y, c.y);
    }
}

INSTANTIATE_TEST_SUITE_P(Spots, CircleClickTest,
    ::testing::Values(ClickCase{"Landscape", {1600, 1200}, {100, 60}, true, 0.25f, 0.025f},
        ClickCase{"LandscapeRightEdge", {1600, 1200}, {399, 350}, true, 0.9975f, 0.75f},
        ClickCase{"LandscapeTopBar", {1600, 1200}, {200, 49}, false, 0, 0},
        ClickCase{"LandscapeBottomBar", {1600, 1200}, {200, 351}, false, 0, 0},
        ClickCase{"Portrait", {1200, 1600}, {50, 10}, true, 0.0f, 0.025f},
        ClickCase{"PortraitLeftBar", {1200, 1600}, {49, 200}, false, 0, 0},
        ClickCase{"PortraitFullHeight", {1200, 1600}, {300, 399}, true, 0.625f, 0.9975f}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

class CircleSpotsTest : public ::testing::Test, protected WithPhotos {
protected:
    CircleSpotsTest()
    {
        mPreview.resize(400, 400);
        mPreview.SetPhoto(mFiles.Make(1600, 1200));
    }

    CircleImageStatic mPreview;
};

TEST_F(CircleSpotsTest, StoredPointsAreShownWhereTheyLieAndOnlyTheFirstTwo)
{
    mPreview.ShowPoints({{0.5f, 0.375f}, {0.0f, 0.0f}, {0.9f, 0.9f}});
    EXPECT_EQ(mPreview.Spots(), (std::vector<QPoint>{{200, 200}, {0, 50}}));
    QTest::mouseClick(&mPreview, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(mPreview.Spots().size(), 2u) << "no room for a third";
}

TEST_F(CircleSpotsTest, TheThirdClickIsIgnoredAndRemoveAllMakesRoomForTwoMore)
{
    for (const QPoint click : {QPoint(100, 100), QPoint(200, 200), QPoint(300, 300)}) {
        QTest::mouseClick(&mPreview, Qt::LeftButton, {}, click);
    }
    EXPECT_EQ(mPreview.Spots(), (std::vector<QPoint>{{100, 100}, {200, 200}}));
    mPreview.RemoveAllSpots();
    EXPECT_TRUE(mPreview.Spots().empty());
    for (const QPoint click : {QPoint(120, 80), QPoint(250, 300), QPoint(300, 300)}) {
        QTest::mouseClick(&mPreview, Qt::LeftButton, {}, click);
    }
    EXPECT_EQ(mPreview.Spots(), (std::vector<QPoint>{{120, 80}, {250, 300}}));
}

TEST_F(CircleSpotsTest, SpotsAreBlueRingsAndTheHoverRingFollowsTheMouseOverThePhoto)
{
    const QColor spot = QColor::fromRgba(0xFF00BFFF);
    const QColor hover = QColor::fromRgba(0xFF7FFFD4);
    mPreview.ShowPoints({{0.25f, 0.25f}});
    MoveMouse(mPreview, QPoint(300, 200));
    const QImage picture = mPreview.grab().toImage();
    EXPECT_EQ(picture.pixelColor(100 + 10, 150), spot) << "ring 10 pixels right of the spot at (100, 150)";
    EXPECT_EQ(picture.pixelColor(300 + 10, 200), hover);
    EXPECT_EQ(picture.pixelColor(100, 150), QColor(200, 60, 30)) << "rings are outlines";
    MoveMouse(mPreview, QPoint(300, 20));
    EXPECT_NE(mPreview.grab().toImage().pixelColor(300 + 10, 20), hover) << "no hover ring over the bars";
}

TEST(CircleUnreadablePhotoTest, APhotoThatCannotBeReadLeavesTheFillAndClicksStillCount)
{
    Pellora::Testing::TestApp();
    CircleImageStatic preview;
    preview.resize(400, 400);
    preview.SetFillColour(QColor::fromRgba(0xFFD3D3D3));
    preview.SetPhoto(u"/no/such/photo.jpg");
    EXPECT_EQ(preview.grab().toImage().pixelColor(200, 200), QColor::fromRgba(0xFFD3D3D3));
    QTest::mouseClick(&preview, Qt::LeftButton, {}, QPoint(100, 5));
    ASSERT_EQ(preview.Spots().size(), 1u);
    const CirclePoint point = Pellora::Views::SpotToCirclePoint(preview.Spots()[0], preview.Placement());
    EXPECT_FLOAT_EQ(point.X, 0.25f);
    EXPECT_FLOAT_EQ(point.Y, 0.0125f);
}

} // namespace
