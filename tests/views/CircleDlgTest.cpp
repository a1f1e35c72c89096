#include "views/CircleDlg.h"

#include "views/CircleImageStatic.h"

#include "WidgetTestSupport.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Pellora::Views::CircleDlg;

class CircleDlgTest : public ::testing::Test {
protected:
    CircleDlgTest()
    {
        QImage photo(1600, 1200, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        mPhotoPath = mFolder.filePath(QStringLiteral("wide.png")).toStdU16String();
        photo.save(QString::fromStdU16String(mPhotoPath));
        mDialog.SetPhotoPath(mPhotoPath);
    }

    Pellora::Testing::UsesApp mApp;
    QTemporaryDir mFolder;
    std::u16string mPhotoPath;
    CircleDlg mDialog;
};

TEST_F(CircleDlgTest, OpensWithTheStoredCentresOnAGreyLetterboxedPhoto)
{
    mDialog.SetPoints({{0.5f, 0.375f}, {0.25f, 0.25f}, {0.75f, 0.5f}});
    mDialog.show();
    const auto& placement = mDialog.Preview()->Placement();
    EXPECT_TRUE(placement.Wider);
    EXPECT_EQ(placement.Width, mDialog.Preview()->width());
    ASSERT_EQ(mDialog.Preview()->Spots().size(), 2u) << "a third stored centre is left out";
    const CirclePoint first = Pellora::Views::SpotToCirclePoint(mDialog.Preview()->Spots()[0], placement);
    EXPECT_NEAR(first.X, 0.5f, 1.0f / placement.Width);
    EXPECT_NEAR(first.Y, 0.375f, 1.0f / placement.Width);
    EXPECT_EQ(mDialog.Preview()->grab().toImage().pixelColor(placement.Width / 2, 2), QColor::fromRgba(0xFFD3D3D3));
}

TEST_F(CircleDlgTest, RemoveAllCirclesEmptiesTheSpotsAndOkAccepts)
{
    mDialog.SetPoints({{0.5f, 0.375f}});
    mDialog.show();
    QTest::mouseClick(mDialog.RemoveAllButton(), Qt::LeftButton);
    EXPECT_TRUE(mDialog.Preview()->Spots().empty());
    QTest::mouseClick(mDialog.Preview(), Qt::LeftButton, {}, mDialog.Preview()->rect().center());
    QTest::mouseClick(mDialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(mDialog.result(), QDialog::Accepted);
    EXPECT_EQ(mDialog.Preview()->Spots().size(), 1u);
}

} // namespace
