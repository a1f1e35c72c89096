#include "DesktopFixture.h"

#include "../export/MediaProbe.h"

#include "app/desktop/DurationText.h"
#include "app/desktop/Thumbnails.h"
#include "views/PhotoScrollView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Pellora::Desktop::CPelloraDlg;

class MainWindowTest : public ::testing::Test, public Pellora::Testing::DesktopFixture {
protected:
    ProjectSettings SavedProject() const
    {
        ProjectSettings project;
        EXPECT_TRUE(project.Load(ProjectPath()));
        return project;
    }
};

TEST_F(MainWindowTest, WithoutAProjectThePanelShowsTheDefaults)
{
    CPelloraDlg& window = OpenWindow();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Pellora Beta"));
    EXPECT_EQ(window.TitleEdit()->text(), QStringLiteral("Pellora"));
    EXPECT_EQ(window.DurationBox()->currentText(), QStringLiteral("30"));
    EXPECT_EQ(window.BackgroundSizeEdit()->text(), QStringLiteral("100"));
    EXPECT_EQ(window.SinewaveList()->currentText(), QStringLiteral("Yes"));
    EXPECT_EQ(window.BackgroundMovingList()->currentText(), QStringLiteral("Yes"));
    EXPECT_EQ(window.PhotoFrameList()->currentText(), QStringLiteral("White"));
    EXPECT_EQ(window.TextureSizeList()->currentText(), QStringLiteral("Auto"));
    EXPECT_FALSE(window.PlainEffectBox()->isChecked());
    EXPECT_EQ(window.CurrentTimeLabel()->text(), QStringLiteral("00:00"));
    EXPECT_EQ(window.TotalTimeLabel()->text(), QStringLiteral("00:30"));
    EXPECT_TRUE(window.AddEndCreditsButton()->isEnabled());
    EXPECT_TRUE(window.AddCirclesButton()->isEnabled());
}

TEST_F(MainWindowTest, APreparedProjectFillsThePanelAndTheStrip)
{
    ProjectSettings project;
    project.m_MP3 = u"/music/song.mp3";
    project.m_PlainTextTitle = u"Summer";
    project.m_BackgroundSize = 80;
    project.m_ShowSinewave = false;
    project.m_BackgroundMoving = true;
    project.m_PhotoFrame = static_cast<std::int32_t>(PhotoFrameStyle::None);
    project.m_TextureSize = u"1024 x 1024";
    project.m_Duration = 75;
    project.m_PlainTitleEffect = true;
    project.m_OrigImages = {AddPhotoFile("one.png", 300, 200).toStdU16String(), u"/gone/missing.png",
        AddPhotoFile("two.png", 200, 300).toStdU16String()};
    project.m_Brightness = {90, 100, 70};
    ASSERT_TRUE(project.Save(ProjectPath()));

    CPelloraDlg& window = OpenWindow();
    EXPECT_EQ(window.MusicEdit()->text(), QStringLiteral("/music/song.mp3"));
    EXPECT_EQ(window.TitleEdit()->text(), QStringLiteral("Summer"));
    EXPECT_EQ(window.BackgroundSizeEdit()->text(), QStringLiteral("80"));
    EXPECT_EQ(window.SinewaveList()->currentText(), QStringLiteral("No"));
    EXPECT_EQ(window.BackgroundMovingList()->currentText(), QStringLiteral("Yes"));
    EXPECT_EQ(window.PhotoFrameList()->currentText(), QStringLiteral("None"));
    EXPECT_EQ(window.TextureSizeList()->currentText(), QStringLiteral("1024 x 1024"));
    EXPECT_EQ(window.DurationBox()->currentText(), QStringLiteral("1:15"));
    EXPECT_TRUE(window.PlainEffectBox()->isChecked());
    ASSERT_EQ(window.PhotoList().size(), 2u);
    EXPECT_EQ(window.PhotoList()[1].Brightness, 70);
    EXPECT_EQ(window.StripView()->Cells().size(), 2u);
}

TEST_F(MainWindowTest, AProjectThatCannotBeReadIsKeptAsideNotOverwritten)
{
    const std::filesystem::path project = ToPath(ProjectPath());
    std::ofstream(project) << "App=somethingelse\nMP3=/music/important.mp3\n";
    CPelloraDlg& window = OpenWindow();
    EXPECT_EQ(window.TitleEdit()->text(), QStringLiteral("Pellora"));
    EXPECT_TRUE(window.StatusLabel()->text().contains(QStringLiteral("project.txt.unreadable")));
    window.reject();
    std::ifstream kept(project.string() + ".unreadable");
    std::string first;
    std::getline(kept, first);
    EXPECT_EQ(first, "App=somethingelse");
    EXPECT_TRUE(SavedProject().m_OrigImages.empty()) << "a fresh project took its place";
}

TEST_F(MainWindowTest, AShortProjectLoadsAsTwentySeconds)
{
    ProjectSettings project;
    project.m_Duration = 10;
    ASSERT_TRUE(project.Save(ProjectPath()));
    EXPECT_EQ(OpenWindow().DurationBox()->currentText(), QStringLiteral("20"));
}

TEST_F(MainWindowTest, DurationTextsGiveSeconds)
{
    CPelloraDlg& window = OpenWindow();
    const std::pair<const char*, std::int32_t> cases[] = {
        {"75", 75}, {"1:15", 75}, {"0", 30}, {"", 30}, {"abc", 30}, {"-5", 30}, {"2:05:10", 310}, {"90 s", 90},
        {"99999999999", 30}, {"2000000000", 86400}};
    for (const auto& [text, seconds] : cases) {
        window.DurationBox()->setEditText(QString::fromLatin1(text));
        EXPECT_EQ(window.GetDurationSeconds(), seconds) << text;
    }
    EXPECT_EQ(Pellora::Desktop::DurationDisplayText("90"), QStringLiteral("1:30"));
    EXPECT_EQ(Pellora::Desktop::DurationDisplayText("59"), QStringLiteral("59"));
    EXPECT_FALSE(Pellora::Desktop::DurationDisplayText("x"));
}

TEST_F(MainWindowTest, SongDurationWithoutMusicFallsBackTo30WithAMessage)
{
    CPelloraDlg& window = OpenWindow();
    window.DurationBox()->setCurrentIndex(0);
    EXPECT_EQ(window.GetDurationSeconds(), 30);
    window.OnDurationSelected(0);
    EXPECT_EQ(mMessages.LastText(),
        QStringLiteral("Duration is set to Song duration\nbut no MP3 file is set!\nDuration is set to 30 seconds!"));
    EXPECT_EQ(window.DurationBox()->currentText(), QStringLiteral("60"));
    window.MusicEdit()->setText(QStringLiteral("/gone/song.mp3"));
    window.OnDurationSelected(0);
    EXPECT_TRUE(mMessages.LastText().contains(QStringLiteral("MP3 file cannot be read!")));
}

TEST_F(MainWindowTest, SongDurationIsTheMusicFilesLengthInWholeSeconds)
{
    CPelloraDlg& window = OpenWindow();
    const QString song = mPhotos.filePath("song.wav");
    ExportTest::WriteWav(song.toStdString(), 95.6, 8000, 1);
    window.MusicEdit()->setText(song);
    window.DurationBox()->setCurrentIndex(0);
    window.OnDurationSelected(0);
    EXPECT_TRUE(mMessages.All().empty());
    EXPECT_EQ(window.GetDurationSeconds(), 95);
}

TEST_F(MainWindowTest, ClosingWritesThePanelIntoTheProject)
{
    CPelloraDlg& window = OpenWindow();
    window.AddPhotos({AddPhotoFile("a.png", 300, 200)});
    window.TitleEdit()->setText(QStringLiteral("Winter"));
    window.MusicEdit()->setText(QStringLiteral("/music/tune.mp3"));
    window.PhotoFrameList()->setCurrentText(QStringLiteral("None"));
    window.DurationBox()->setEditText(QStringLiteral("1:40"));
    window.SinewaveList()->setCurrentText(QStringLiteral("No"));
    window.BackgroundSizeEdit()->setText(QStringLiteral("120"));
    window.reject();

    const ProjectSettings project = SavedProject();
    EXPECT_EQ(project.m_PlainTextTitle, u"Winter");
    EXPECT_EQ(project.m_MP3, u"/music/tune.mp3");
    EXPECT_EQ(project.m_PhotoFrame, static_cast<std::int32_t>(PhotoFrameStyle::None));
    EXPECT_EQ(project.m_Duration, 100u);
    EXPECT_FALSE(project.m_ShowSinewave);
    EXPECT_EQ(project.m_BackgroundSize, 120);
    EXPECT_EQ(project.m_BackgroundWidth, 2048) << "an empty background edit means the built-in picture";
    ASSERT_EQ(project.m_OrigImages.size(), 1u);
    EXPECT_EQ(QFileInfo(QString::fromStdU16String(project.m_OrigImages[0])).fileName(), QStringLiteral("a.png"));
}

TEST_F(MainWindowTest, ABackgroundChosenOrTypedIsStoredWithItsPictureSize)
{
    CPelloraDlg& window = OpenWindow();
    const QString chosen = AddPhotoFile("chosen.png", 1000, 500);
    window.ChooseBackground(chosen);
    ProjectSettings project;
    window.PanelToSettings(project);
    EXPECT_EQ(project.m_BackgroundImage, chosen.toStdU16String());
    EXPECT_GT(project.m_BackgroundDim, 0);
    EXPECT_EQ(project.m_BackgroundWidth, project.m_BackgroundDim);
    EXPECT_EQ(project.m_BackgroundHeight, project.m_BackgroundDim / 2);

    const QString typed = AddPhotoFile("typed.png", 300, 600);
    window.BackgroundEdit()->setText(typed);
    window.PanelToSettings(project);
    EXPECT_EQ(project.m_OrigBackgroundImage, typed.toStdU16String());
    EXPECT_EQ(project.m_BackgroundImage, typed.toStdU16String());
    EXPECT_EQ(project.m_BackgroundWidth, project.m_BackgroundDim / 2) << "the typed picture's record, not the chosen one's";
}

TEST_F(MainWindowTest, ClosingWithNoPhotosStillWritesTheProject)
{
    OpenWindow().reject();
    EXPECT_TRUE(SavedProject().m_OrigImages.empty());
}

TEST_F(MainWindowTest, AddedPhotosGetThumbnailsOnceAndUnreadableOnesAreNamedInTheStatus)
{
    CPelloraDlg& window = OpenWindow();
    const QString wide = AddPhotoFile("wide.png", 400, 200);
    const QString notPicture = AddTextFile("notes.jpg", "not a picture");
    window.AddPhotos({wide, AddPhotoFile("tall.jpg", 100, 400), mPhotos.filePath("missing.jpg"), notPicture});
    ASSERT_EQ(window.PhotoList().size(), 2u);
    EXPECT_TRUE(window.StatusLabel()->text().contains(QStringLiteral("missing.jpg")));
    EXPECT_TRUE(window.StatusLabel()->text().contains(QStringLiteral("notes.jpg")));

    const QString wideThumbnail = QString::fromStdU16String(window.PhotoList()[0].Thumbnail);
    const QString tallThumbnail = QString::fromStdU16String(window.PhotoList()[1].Thumbnail);
    EXPECT_TRUE(wideThumbnail.endsWith(QStringLiteral("/thumbnail/wide.png.thumbnail.png")));
    EXPECT_EQ(QImage(wideThumbnail).size(), QSize(98, 49));
    EXPECT_EQ(QImage(tallThumbnail).size(), QSize(24, 98));
    EXPECT_EQ(QImageReader(wideThumbnail).format(), QByteArray("jpeg")) << "thumbnails are JPEG whatever their name";

    // An existing thumbnail is reused as it is, and a photo added again keeps one record and one cell.
    QImage marker(10, 10, QImage::Format_RGB32);
    marker.fill(Qt::red);
    marker.save(wideThumbnail, "JPEG");
    window.AddPhotos({wide});
    EXPECT_EQ(QImage(wideThumbnail).size(), QSize(10, 10));
    EXPECT_EQ(window.PhotoList().size(), 2u);
    EXPECT_EQ(window.StripView()->Cells().size(), 2u);
}

TEST(ThumbnailPathTest, NamesFollowThePhotoFileNameAndExtension)
{
    using Pellora::Desktop::ThumbnailPathFor;
    EXPECT_EQ(ThumbnailPathFor(u"/t", u"/a/Photo.JPEG"), u"/t/Photo.JPEG.thumbnail.jpg");
    EXPECT_EQ(ThumbnailPathFor(u"/t", u"/a/b.png"), u"/t/b.png.thumbnail.png");
    EXPECT_EQ(ThumbnailPathFor(u"/t", u"/a/b.webp"), u"/t/b.webp");
    EXPECT_EQ(ThumbnailPathFor(u"/t", u"/one/same.jpg"), ThumbnailPathFor(u"/t", u"/two/same.jpg"));
}

TEST_F(MainWindowTest, DeletePhotoNeedsASelectionAndRemovesExactlyThatPhoto)
{
    CPelloraDlg& window = OpenWindow();
    window.AddPhotos({AddPhotoFile("a.png", 30, 20), AddPhotoFile("b.png", 30, 20), AddPhotoFile("c.png", 30, 20)});
    window.DeletePhoto();
    EXPECT_EQ(mMessages.LastText(), QStringLiteral("No photo is selected.\nPlease select a photo first."));
    EXPECT_EQ(window.PhotoList().size(), 3u);

    const int cell = window.StripView()->CellSize();
    window.StripView()->SelectAt(QPoint(cell + cell / 2, cell / 2));
    window.DeletePhoto();
    ASSERT_EQ(window.PhotoList().size(), 2u);
    EXPECT_TRUE(QString::fromStdU16String(window.PhotoList()[0].OrigImage).endsWith("a.png"));
    EXPECT_TRUE(QString::fromStdU16String(window.PhotoList()[1].OrigImage).endsWith("c.png"));
    EXPECT_EQ(window.StripView()->Cells()[1]->Column, 1);

    window.DeleteAllPhotos();
    EXPECT_TRUE(window.PhotoList().empty());
    EXPECT_TRUE(window.StripView()->Cells().empty());
}

TEST_F(MainWindowTest, DeleteCacheReportsOnceAndThenFindsNothing)
{
    CPelloraDlg& window = OpenWindow();
    window.DeleteCache();
    EXPECT_EQ(mMessages.LastText(), QStringLiteral("Cache cleared!\nPlease close Pellora!"));
    EXPECT_FALSE(IsExistingFolder(GetDataFolder()));
    mMessages.Clear();
    window.DeleteCache();
    window.reject();
    EXPECT_TRUE(mMessages.All().empty());
    EXPECT_FALSE(IsExistingFolder(GetDataFolder())) << "closing does not bring the cleared folder back";
}

TEST_F(MainWindowTest, DeleteCacheThatCannotRemoveEverythingSaysSo)
{
    CPelloraDlg& window = OpenWindow();
    std::ofstream(ToPath(GetDataFolder()) / ".hidden") << "kept";
    window.DeleteCache();
    EXPECT_EQ(mMessages.LastText(), QStringLiteral("Cannot clear cache!"));
    EXPECT_EQ(mMessages.All().back().caption, QStringLiteral("Error!"));
}

} // namespace
