#include "views/TextDisplayStatic.h"

#include "WidgetTestSupport.h"

#include <QFontInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

using Pellora::Views::TextDisplayStatic;

// The box around every pixel darker than mid-grey, inside the outline.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

int InkCount(const QImage& image)
{
    int count = 0;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            count += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return count;
}

class TextDisplayStaticTest : public ::testing::Test {
protected:
    TextDisplayStaticTest()
    {
        mPreview.resize(440, 150);
        mPreview.SetFontName(u"DejaVu Sans");
        mPreview.SetText(u"Cast\nCrew");
        mPreview.SetCentred(true);
    }

    QImage Picture() { return mPreview.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    Pellora::Testing::UsesApp mApp;
    TextDisplayStatic mPreview;
};

TEST_F(TextDisplayStaticTest, CentredTextInBlackOnWhiteInsideABlackOutline)
{
    const QImage picture = Picture();
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(picture.pixel(439, 75)), QColor(Qt::black));
    EXPECT_EQ(QColor(picture.pixel(5, 5)), QColor(Qt::white));
    const QRect ink = InkBox(picture);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), 220, 4);
    EXPECT_NEAR(ink.center().y(), 75, 4);
    EXPECT_GT(ink.height(), 40) << "two lines";
}

TEST_F(TextDisplayStaticTest, TheFontIsTheChosenFamilyAt26PixelsAndBoldIsHeavier)
{
    const QFontInfo regular(mPreview.TextFont());
    EXPECT_EQ(regular.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(regular.pixelSize(), 26);
    const int regularInk = InkCount(Picture());
    mPreview.SetBold(true);
    EXPECT_TRUE(QFontInfo(mPreview.TextFont()).bold());
    EXPECT_GT(InkCount(Picture()), regularInk * 6 / 5);
}

TEST_F(TextDisplayStaticTest, UncentredTextStartsAtTheTopLeft)
{
    mPreview.SetCentred(false);
    const QRect ink = InkBox(Picture());
    EXPECT_LT(ink.left(), 10);
    EXPECT_LT(ink.top(), 15);
}

} // namespace
