#include "DesktopFixture.h"

#include "../export/MediaProbe.h"
#include "app/desktop/Mp3.h"
#include "show/RenderingGame.h"
#include "views/DXStatic.h"
#include "views/StaticButton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Pellora::Desktop::CPelloraDlg;

constexpr int kWaitMs = 60000;

class PreviewGLTest : public ::testing::Test, public Pellora::Testing::DesktopFixture {
protected:
    static double Elapsed(const CPelloraDlg& window) { return window.Engine()->GetFrameTime().sinceStart; }

    // Waits until the preview has shown count more pictures.
    static bool WaitForPictures(const CPelloraDlg& window, int count)
    {
        const auto target = window.Preview()->PicturesReceived() + count;
        return QTest::qWaitFor([&] { return window.Preview()->PicturesReceived() >= target; }, kWaitMs);
    }
};

TEST_F(PreviewGLTest, PlayPauseResumeSeekAndStop)
{
    CPelloraDlg& window = WindowWithPhotos();
    window.Play();
    ASSERT_NE(window.Engine(), nullptr) << mMessages.LastText().toStdString();
    EXPECT_EQ(window.State(), CPelloraDlg::PreviewState::Playing);
    EXPECT_FALSE(window.PlayButton()->IsEnabled());
    EXPECT_TRUE(window.PauseButton()->IsEnabled());
    EXPECT_TRUE(window.StopButton()->IsEnabled());
    ASSERT_TRUE(WaitForPictures(window, 3));
    EXPECT_TRUE(window.StatusLabel()->text().isEmpty()) << "\"Analyzing...\" goes with the first frame";
    EXPECT_EQ(window.Preview()->Picture().size(), window.Preview()->PixelSize());
    EXPECT_EQ(window.TotalTimeLabel()->text(), QStringLiteral("00:30"));
    EXPECT_EQ(window.Trackbar()->maximum(), 300);

    window.Pause();
    EXPECT_TRUE(window.PlayButton()->IsEnabled());
    ASSERT_TRUE(WaitForPictures(window, 2));
    const double held = Elapsed(window);
    ASSERT_TRUE(WaitForPictures(window, 3));
    EXPECT_NEAR(Elapsed(window), held, 1e-6) << "a paused show holds its time";

    const Rendering::RenderingGame* engine = window.Engine();
    window.Play();
    EXPECT_EQ(window.Engine(), engine) << "Play after Pause resumes the same engine";
    ASSERT_TRUE(WaitForPictures(window, 3));
    EXPECT_GT(Elapsed(window), held);

    window.OnTrackbar(CPelloraDlg::ScrollCode::Other, 50);
    ASSERT_TRUE(WaitForPictures(window, 1));
    EXPECT_GE(Elapsed(window), 5.0);
    EXPECT_LT(Elapsed(window), 6.0);

    window.Stop();
    EXPECT_EQ(window.Engine(), nullptr);
    EXPECT_EQ(window.Music(), nullptr);
    EXPECT_EQ(window.CurrentTimeLabel()->text(), QStringLiteral("00:00"));
    EXPECT_EQ(window.Trackbar()->value(), 300);
    EXPECT_TRUE(window.Preview()->Picture().isNull()) << "the preview is grey again";
    EXPECT_TRUE(window.PlayButton()->IsEnabled());
    EXPECT_FALSE(window.PauseButton()->IsEnabled());
    EXPECT_FALSE(window.StopButton()->IsEnabled());
}

TEST_F(PreviewGLTest, DraggingSkipsEveryOtherNotificationAndHoldsTheThumbUntilReleased)
{
    CPelloraDlg& window = WindowWithPhotos();
    window.DurationBox()->setEditText(QStringLiteral("95"));
    window.Play();
    ASSERT_NE(window.Engine(), nullptr);
    EXPECT_EQ(window.TotalTimeLabel()->text(), QStringLiteral("01:35"));
    EXPECT_EQ(window.Trackbar()->maximum(), 950);
    ASSERT_TRUE(WaitForPictures(window, 2));

    window.Trackbar()->setValue(100);
    window.OnTrackbar(CPelloraDlg::ScrollCode::ThumbTrack, 100);
    window.OnTrackbar(CPelloraDlg::ScrollCode::ThumbTrack, 400); // skipped
    ASSERT_TRUE(WaitForPictures(window, 15));
    EXPECT_GE(Elapsed(window), 10.0);
    EXPECT_LT(Elapsed(window), 20.0);
    EXPECT_EQ(window.Trackbar()->value(), 100) << "the tick leaves a held thumb alone";

    window.OnTrackbar(CPelloraDlg::ScrollCode::ThumbPosition, 600);
    ASSERT_TRUE(WaitForPictures(window, 15));
    EXPECT_GE(Elapsed(window), 60.0);
    EXPECT_GE(window.Trackbar()->value(), 600);
}

TEST_F(PreviewGLTest, StopThenPlayBuildsANewEngineAndWritesTheProjectAgain)
{
    CPelloraDlg& window = WindowWithPhotos();
    window.Play();
    ASSERT_TRUE(WaitForPictures(window, 2));
    window.Stop();
    window.TitleEdit()->setText(QStringLiteral("Second"));
    window.Play();
    ASSERT_NE(window.Engine(), nullptr);
    ASSERT_TRUE(WaitForPictures(window, 2));
    EXPECT_LT(Elapsed(window), 5.0) << "a new show starts at 00:00";
    EXPECT_EQ(window.Engine()->Project().m_PlainTextTitle, u"Second");
}

TEST_F(PreviewGLTest, WithoutPhotosPlayAsksForPhotosAndStaysStopped)
{
    CPelloraDlg& window = OpenWindow();
    window.Play();
    EXPECT_EQ(mMessages.LastText(), QStringLiteral("Not enough photos"));
    EXPECT_EQ(window.State(), CPelloraDlg::PreviewState::Stopped);
    EXPECT_EQ(window.Engine(), nullptr);
}

TEST_F(PreviewGLTest, MusicThatCannotPlayLetsTheShowPlay)
{
    CPelloraDlg& window = WindowWithPhotos();
    const QString song = mPhotos.filePath("song.mp3");
    std::ofstream(song.toStdString()) << "no sound in here";
    window.MusicEdit()->setText(song);
    window.Play();
    ASSERT_NE(window.Engine(), nullptr);
    EXPECT_FALSE(window.Music()->IsReady());
    EXPECT_TRUE(WaitForPictures(window, 3));
}

TEST_F(PreviewGLTest, TheMusicFollowsASeek)
{
    CPelloraDlg& window = WindowWithPhotos();
    const QString tone = mPhotos.filePath("tone.wav");
    ExportTest::WriteWav(tone.toStdString(), 30.0, 44100, 2);
    window.MusicEdit()->setText(tone);
    window.Play();
    ASSERT_NE(window.Music(), nullptr);
    ASSERT_TRUE(window.Music()->IsReady());
    EXPECT_EQ(window.Music()->Duration(), 300000000);
    window.Pause();
    window.OnTrackbar(CPelloraDlg::ScrollCode::Other, 120);
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(window.Music()->Position() - 12.0) < 0.5; }, 10000))
        << "position " << window.Music()->Position();
}

} // namespace
