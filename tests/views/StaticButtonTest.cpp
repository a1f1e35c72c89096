#include "views/StaticButton.h"

#include "WidgetTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using Pellora::Views::StaticButton;

class StaticButtonTest : public ::testing::Test {
protected:
    StaticButtonTest()
    {
        mButton.resize(60, 50);
        mButton.SetAction([this] { ++mClicks; });
        mButton.show();
    }

    Pellora::Testing::UsesApp mApp;
    StaticButton mButton;
    int mClicks = 0;
};

TEST_F(StaticButtonTest, DisabledButtonIgnoresClicksAndShowsThePaleFace)
{
    const QImage normal = mButton.grab().toImage();
    mButton.SetEnabled(false);
    QTest::mouseClick(&mButton, Qt::LeftButton);
    EXPECT_EQ(mClicks, 0);
    const QImage disabled = mButton.grab().toImage();
    EXPECT_NE(disabled, normal);
    // The glyph's centre is pale pink instead of blue.
    EXPECT_EQ(disabled.pixelColor(30, 25), QColor::fromRgba(0xFFFFDAE7));

    mButton.SetEnabled(true);
    QTest::mouseClick(&mButton, Qt::LeftButton);
    EXPECT_EQ(mClicks, 1);
    EXPECT_EQ(mButton.grab().toImage(), normal);
}

TEST_F(StaticButtonTest, HoverGrowsTheGlyphByTwoPixels)
{
    const float normal = mButton.GlyphSide();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&mButton, &enter);
    ASSERT_TRUE(mButton.IsHovering());
    EXPECT_FLOAT_EQ(mButton.GlyphSide(), normal + 2.0f);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&mButton, &leave);
    EXPECT_FALSE(mButton.IsHovering());
}

TEST_F(StaticButtonTest, At144DpiTheFaceCornerIs15AndTheOutline4AndAHalf)
{
    mButton.SetDpi(144.0f);
    EXPECT_EQ(mButton.CornerRadius(), 15);
    EXPECT_FLOAT_EQ(mButton.OutlineWidth(), 4.5f);
}

} // namespace
