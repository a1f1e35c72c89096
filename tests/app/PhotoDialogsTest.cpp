// End credits and circle centres attached to a photo through the main window, down to the project file.
#include "DesktopFixture.h"

#include "views/CFontScrollView.h"
#include "views/CircleDlg.h"
#include "views/CircleImageStatic.h"
#include "views/EndCreditDlg.h"
#include "views/PhotoScrollView.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

namespace {

using Pellora::Desktop::CPelloraDlg;
using Pellora::Views::CircleDlg;
using Pellora::Views::EndCreditDlg;

// Answers the next modal dialog of this kind as a person would; one that is still open after ten
// seconds is cancelled, so that a failing answer cannot hang the test.
template <class Dialog>
void AnswerWhenOpen(std::function<void(Dialog&)> answer)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(*dialog);
        }
    });
    poll->start();
    QTimer::singleShot(10000, [] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
        }
    });
}

std::string ProjectLine(const std::u16string& projectPath, const std::string& key)
{
    std::ifstream file(ToPath(projectPath));
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(key + "=", 0) == 0) {
            return line;
        }
    }
    return {};
}

class PhotoDialogsTest : public ::testing::Test, public Pellora::Testing::DesktopFixture {
protected:
    CPelloraDlg& WindowWithSelectedPhoto()
    {
        CPelloraDlg& window = OpenWindow();
        mPhoto = AddPhotoFile("beach.png", 400, 300);
        window.AddPhotos({AddPhotoFile("first.png", 300, 300), mPhoto});
        window.StripView()->SelectAt(QPoint(window.StripView()->CellSize() + 10, 10));
        return window;
    }

    const Pellora::Views::Cell& SelectedCellAsDrawn(CPelloraDlg& window) const
    {
        window.StripView()->RenderStrip();
        return *window.StripView()->SelectedCell();
    }

    QString mPhoto;
};

TEST_F(PhotoDialogsTest, AnEndCreditWrittenInTheDialogIsMarkedAndSavedWithTextFontAndBold)
{
    CPelloraDlg& window = WindowWithSelectedPhoto();
    AnswerWhenOpen<EndCreditDlg>([](EndCreditDlg& dialog) {
        dialog.TextEdit()->setPlainText(QStringLiteral("Cast\nCrew"));
        dialog.FontView()->SelectFontByName(u"DejaVu Serif");
        dialog.BoldSwitch()->click();
        dialog.OkButton()->click();
    });
    window.AddEndCreditsButton()->click();

    EXPECT_TRUE(SelectedCellAsDrawn(window).HasEndCredit);
    EXPECT_FALSE(window.StripView()->Cells()[0]->HasEndCredit);
    window.reject();

    const std::string line = ProjectLine(ProjectPath(), "EndCreditInfo");
    EXPECT_NE(line.find("beach.png"), std::string::npos) << line;
    EXPECT_NE(line.find("DejaVu Serif"), std::string::npos) << line;
    ProjectSettings project;
    ASSERT_TRUE(project.Load(ProjectPath()));
    const EndCreditInfo credit = project.GetEndCreditInfo(mPhoto.toStdU16String());
    EXPECT_EQ(credit.FontName, u"DejaVu Serif");
    EXPECT_EQ(credit.Text, u"Cast\nCrew");
    EXPECT_TRUE(credit.Bold);
    EXPECT_EQ(project.GetEndCreditInfo(project.m_OrigImages[0]).FontName, u"") << "the other photo has none";
}

TEST_F(PhotoDialogsTest, TwoSpotsClickedInTheCircleDialogAreMarkedAndSavedAsPhotoCoordinates)
{
    CPelloraDlg& window = WindowWithSelectedPhoto();
    const std::vector<CirclePoint> wanted = {{0.25f, 0.1875f}, {0.75f, 0.5625f}};
    float tolerance = 0;
    AnswerWhenOpen<CircleDlg>([&wanted, &tolerance](CircleDlg& dialog) {
        const auto placement = dialog.Preview()->Placement();
        tolerance = 1.0f / static_cast<float>(placement.Width);
        for (const CirclePoint& point : wanted) {
            QTest::mouseClick(dialog.Preview(), Qt::LeftButton, {}, Pellora::Views::CirclePointToSpot(point, placement));
        }
        dialog.OkButton()->click();
    });
    window.AddCirclesButton()->click();

    EXPECT_EQ(SelectedCellAsDrawn(window).CircleCount, 2);
    window.reject();

    const std::string line = ProjectLine(ProjectPath(), "CirclePoints");
    EXPECT_NE(line.find("beach.png"), std::string::npos) << line;
    ProjectSettings project;
    ASSERT_TRUE(project.Load(ProjectPath()));
    const CirclesInfo circles = project.GetCirclesInfo(mPhoto.toStdU16String());
    ASSERT_EQ(circles.Points.size(), 2u) << line;
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(circles.Points[i].X, wanted[i].X, tolerance) << "spot " << i;
        EXPECT_NEAR(circles.Points[i].Y, wanted[i].Y, tolerance) << "spot " << i;
    }
}

TEST_F(PhotoDialogsTest, CancelledDialogsLeaveThePhotoAsItWas)
{
    CPelloraDlg& window = WindowWithSelectedPhoto();
    AnswerWhenOpen<CircleDlg>([](CircleDlg& dialog) {
        QTest::mouseClick(dialog.Preview(), Qt::LeftButton, {}, dialog.Preview()->rect().center());
        dialog.CancelButton()->click();
    });
    window.AddCirclesButton()->click();
    AnswerWhenOpen<EndCreditDlg>([](EndCreditDlg& dialog) { dialog.CancelButton()->click(); });
    window.AddEndCreditsButton()->click();

    const PhotoInfo& photo = window.PhotoList()[1];
    EXPECT_TRUE(photo.Circles.Points.empty());
    EXPECT_TRUE(photo.EndCredit.FontName.empty());
    EXPECT_EQ(SelectedCellAsDrawn(window).CircleCount, 0);
}

TEST_F(PhotoDialogsTest, WithoutASelectionBothButtonsSaySoAndOpenNothing)
{
    CPelloraDlg& window = OpenWindow();
    window.AddPhotos({AddPhotoFile("a.png", 300, 200)});
    for (QPushButton* button : {window.AddEndCreditsButton(), window.AddCirclesButton()}) {
        mMessages.Clear();
        button->click();
        EXPECT_EQ(mMessages.LastText(), QStringLiteral("No photo is selected.\nPlease select a photo first."))
            << button->text().toStdString();
    }
}

} // namespace
