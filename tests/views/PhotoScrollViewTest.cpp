#include "views/PhotoScrollView.h"

#include "WidgetTestSupport.h"

#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Pellora::Views::PhotoScrollView;

// Counts the pixels of a colour (within a small tolerance for anti-aliasing) in a rectangle.
int CountNear(const QImage& image, QRect area, QColor colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
                && std::abs(c.blue() - colour.blue()) < 40) {
                ++count;
            }
        }
    }
    return count;
}

class PhotoScrollViewTest : public ::testing::Test {
protected:
    PhotoScrollViewTest()
    {
        QImage thumbnail(98, 98, QImage::Format_RGB32);
        thumbnail.fill(Qt::gray);
        mThumbnail = mFolder.filePath(QStringLiteral("square.thumbnail.png")).toStdU16String();
        thumbnail.save(QString::fromStdU16String(mThumbnail));
        Pellora::Views::PhotoListCallbacks callbacks;
        callbacks.deleteById = [this](std::int32_t id) { mDeleted.push_back(id); };
        callbacks.photoByPath = [this](const std::u16string& path) -> const PhotoInfo& {
            return path == u"/photos/marked.jpg" ? mMarked : mPlain;
        };
        mView.SetCallbacks(callbacks);
        mView.resize(600, 120);
    }

    void AddThree()
    {
        for (std::int32_t id = 0; id < 3; ++id) {
            mView.AddCell(id, mThumbnail, u"/photos/" + std::u16string(1, static_cast<char16_t>(u'a' + id)) + u".jpg");
        }
    }

    Pellora::Testing::UsesApp mApp;
    QTemporaryDir mFolder;
    std::u16string mThumbnail;
    PhotoScrollView mView{96};
    std::vector<std::int32_t> mDeleted;
    PhotoInfo mPlain;
    PhotoInfo mMarked;
};

TEST_F(PhotoScrollViewTest, RemovingTheMiddleCellRenumbersTheLastAndReportsExactlyThatPhoto)
{
    AddThree();
    mView.RemoveCell(1);
    ASSERT_EQ(mView.Cells().size(), 2u);
    EXPECT_EQ(mView.Cells()[1]->Id, 2);
    EXPECT_EQ(mView.Cells()[1]->Column, 1);
    EXPECT_EQ(mDeleted, std::vector<std::int32_t>{1});
}

TEST_F(PhotoScrollViewTest, TheContextMenuSelectsTheCellUnderTheMouseAndDeletesIt)
{
    AddThree();
    mView.show();
    QStringList disabled;
    QTimer::singleShot(100, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (!action->isEnabled()) {
                disabled << action->text();
            }
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == QLatin1String("Delete Image")) {
                action->trigger();
            }
        }
        menu->close();
    });
    const QPoint onSecond(150, 50);
    QContextMenuEvent event(QContextMenuEvent::Mouse, onSecond, mView.viewport()->mapToGlobal(onSecond));
    QApplication::sendEvent(mView.viewport(), &event);
    EXPECT_EQ(mDeleted, std::vector<std::int32_t>{1});
    EXPECT_TRUE(disabled.isEmpty()) << disabled.join(", ").toStdString();
}

TEST_F(PhotoScrollViewTest, DeleteKeyRemovesTheSelectedCell)
{
    AddThree();
    mView.SelectAt(QPoint(150, 50));
    ASSERT_EQ(mView.SelectedCell()->Id, 1);
    QTest::keyClick(&mView, Qt::Key_Delete);
    EXPECT_EQ(mDeleted, std::vector<std::int32_t>{1});
    EXPECT_EQ(mView.SelectedCell(), nullptr);
    EXPECT_EQ(mView.Cells().size(), 2u);
}

TEST_F(PhotoScrollViewTest, TheStripScrollsSidewaysAndClicksFollowTheScroll)
{
    for (std::int32_t id = 0; id < 10; ++id) {
        mView.AddCell(id, mThumbnail, u"/photos/" + std::u16string(1, static_cast<char16_t>(u'a' + id)) + u".jpg");
    }
    mView.resize(300, 130);
    mView.show();
    QApplication::processEvents();
    QScrollBar* bar = mView.horizontalScrollBar();
    EXPECT_EQ(bar->maximum(), 1000 - mView.viewport()->width());
    bar->setValue(450);
    mView.SelectAt(QPoint(10, 50));
    EXPECT_EQ(mView.SelectedCell()->Id, 4);
}

TEST_F(PhotoScrollViewTest, ClickOutsideEveryCellClearsTheHighlightButKeepsTheSelection)
{
    AddThree();
    mView.SelectAt(QPoint(50, 50));
    mView.SelectAt(QPoint(450, 50));
    for (const auto& cell : mView.Cells()) {
        EXPECT_FALSE(cell->Selected);
    }
    ASSERT_NE(mView.SelectedCell(), nullptr);
    EXPECT_EQ(mView.SelectedCell()->Id, 0);
}

TEST_F(PhotoScrollViewTest, TwoCircleCentresAndAnEndCreditShowTwoRingsAndAnOrangeDisc)
{
    mMarked.Circles.Points = {{10, 10}, {20, 20}};
    mMarked.EndCredit.FontName = u"Arial";
    mView.AddCell(0, mThumbnail, u"/photos/plain.jpg");
    mView.AddCell(1, mThumbnail, u"/photos/marked.jpg");
    const QImage strip = mView.RenderStrip();
    const QColor blue(0, 0, 255);
    const QColor orange(255, 69, 0);
    // The thumbnail fills the cell from (1, 1) to (99, 99); markers sit 15 pixels above its bottom.
    const QRect firstRing(100 + 4, 84, 12, 12);
    const QRect secondRing(100 + 19, 84, 12, 12);
    const QRect disc(100 + 84, 84, 12, 12);
    EXPECT_GT(CountNear(strip, firstRing, blue), 15);
    EXPECT_GT(CountNear(strip, secondRing, blue), 15);
    EXPECT_GT(CountNear(strip, disc, orange), 40);
    EXPECT_GT(CountNear(strip, disc, Qt::white), 3); // the "E"
    EXPECT_EQ(CountNear(strip, firstRing.translated(-100, 0), blue), 0);
    EXPECT_EQ(CountNear(strip, disc.translated(-100, 0), orange), 0);
}

TEST_F(PhotoScrollViewTest, PortraitThumbnailsAreCentredAcrossTheCell)
{
    QImage tall(49, 98, QImage::Format_RGB32);
    tall.fill(Qt::gray);
    const std::u16string path = mFolder.filePath(QStringLiteral("tall.thumbnail.png")).toStdU16String();
    tall.save(QString::fromStdU16String(path));
    mView.AddCell(0, path, u"/photos/tall.jpg");
    mView.RenderStrip();
    const auto& cell = *mView.Cells()[0];
    EXPECT_EQ(cell.ImageLeft, 26); // l = 50, (100 - 50) / 2 + 1
    EXPECT_EQ(cell.ImageTop, 1);
    EXPECT_EQ(cell.ImageWidth, 48);
    EXPECT_EQ(cell.ImageHeight, 98);
}

TEST(PhotoScrollViewDpiTest, At144DpiCellsAre150PixelsSquare)
{
    Pellora::Testing::TestApp();
    PhotoScrollView view(144);
    view.AddCell(0, {}, u"/photos/a.jpg");
    EXPECT_EQ(view.CellSize(), 150);
    EXPECT_EQ(view.Cells()[0]->Width, 150);
    EXPECT_EQ(view.Cells()[0]->Height, 150);
}

} // namespace
