// The whole Save as Video flow through the window and its three dialogs.
#include "DesktopFixture.h"

#include "../export/MediaProbe.h"
#include "views/EncoderDialog.h"
#include "views/ExportDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

using Pellora::Desktop::CPelloraDlg;
using Pellora::Views::EncodeProgressDlg;
using Pellora::Views::EncoderDialog;
using Pellora::Views::VideoReadyDlg;

// Answers the modal dialogs the flow opens, one handler per kind, polling for the dialog on top.
class ModalDriver {
public:
    ModalDriver()
    {
        mTimer.setInterval(50);
        QObject::connect(&mTimer, &QTimer::timeout, [this] { Poll(); });
        mTimer.start();
    }

    std::function<void(EncoderDialog&)> onSettings;
    std::function<void(EncodeProgressDlg&)> onProgress;
    std::function<void(VideoReadyDlg&)> onReady;

private:
    void Poll()
    {
        QWidget* top = QApplication::activeModalWidget();
        if (auto* settings = qobject_cast<EncoderDialog*>(top); settings && onSettings) {
            onSettings(*settings);
        } else if (auto* progress = qobject_cast<EncodeProgressDlg*>(top); progress && onProgress) {
            onProgress(*progress);
        } else if (auto* ready = qobject_cast<VideoReadyDlg*>(top); ready && onReady) {
            onReady(*ready);
        }
    }

    QTimer mTimer;
};

class DesktopExportGLTest : public ::testing::Test, public Pellora::Testing::DesktopFixture {
protected:
    CPelloraDlg& TwentySecondShow()
    {
        CPelloraDlg& window = WindowWithPhotos();
        window.DurationBox()->setEditText(QStringLiteral("20"));
        return window;
    }

    // Fills the export dialog like a person would and presses Encode.
    std::function<void(EncoderDialog&)> Settings(const QString& fps)
    {
        return [this, fps](EncoderDialog& dialog) {
            dialog.OutputEdit()->setText(mOutput);
            dialog.ResolutionBox()->setCurrentText(QStringLiteral("1280x720"));
            dialog.FpsBox()->setEditText(fps);
            dialog.SpeedBox()->setCurrentText(QStringLiteral("Fastest Speed"));
            dialog.Encode();
        };
    }

    QString mOutput = mPhotos.filePath(QStringLiteral("my show.mp4"));
    ModalDriver mDriver;
};

TEST_F(DesktopExportGLTest, SaveAsVideoWritesEveryFrameAndOffersTheVideo)
{
    CPelloraDlg& window = TwentySecondShow();
    int range = -1;
    bool ready = false;
    mDriver.onSettings = Settings(QStringLiteral("2"));
    mDriver.onProgress = [&](EncodeProgressDlg& dialog) { range = dialog.ProgressBar()->maximum(); };
    mDriver.onReady = [&](VideoReadyDlg& dialog) {
        ready = true;
        dialog.Choose(VideoReadyDlg::Close);
    };
    window.SaveAsVideo();

    ASSERT_TRUE(ready) << mMessages.LastText().toStdString();
    EXPECT_EQ(range, 40);
    EXPECT_EQ(QString::fromStdU16String(window.VideoPath()), mOutput);
    ProjectSettings project;
    ASSERT_TRUE(project.Load(ProjectPath()));
    EXPECT_EQ(project.m_ScreenWidth, 1280);
    EXPECT_EQ(project.m_ScreenHeight, 720);
    EXPECT_EQ(project.m_FPS, 2);
    const ExportTest::FileFacts facts = ExportTest::Probe(mOutput.toStdString());
    ASSERT_TRUE(facts.mVideo);
    EXPECT_EQ(facts.mVideo->mPts.size(), 40u) << "fps x duration frames";
}

TEST_F(DesktopExportGLTest, CancelKeepsAPlayablePartAndOpensNoReadyDialog)
{
    CPelloraDlg& window = TwentySecondShow();
    bool ready = false;
    mDriver.onSettings = Settings(QStringLiteral("30"));
    mDriver.onProgress = [](EncodeProgressDlg& dialog) {
        if (dialog.ProgressBar()->value() >= 5) {
            dialog.reject();
        }
    };
    mDriver.onReady = [&](VideoReadyDlg& dialog) {
        ready = true;
        dialog.Choose(VideoReadyDlg::Close);
    };
    window.SaveAsVideo();

    EXPECT_FALSE(ready);
    EXPECT_TRUE(window.StatusLabel()->text().startsWith(QStringLiteral("Cancelled"))) << mMessages.LastText().toStdString();
    const ExportTest::FileFacts facts = ExportTest::Probe(mOutput.toStdString());
    ASSERT_TRUE(facts.mVideo);
    EXPECT_GE(facts.mVideo->mPts.size(), 5u);
    EXPECT_LT(facts.mVideo->mPts.size(), 600u);
}

TEST_F(DesktopExportGLTest, AFailedExportSaysWhyClosesTheProgressAndLeavesTheTargetAlone)
{
    CPelloraDlg& window = TwentySecondShow();
    const QString song = mPhotos.filePath(QStringLiteral("song.mp3"));
    std::ofstream(song.toStdString()) << "no sound in here";
    window.MusicEdit()->setText(song);
    std::ofstream(mOutput.toStdString()) << "earlier video";
    bool ready = false;
    mDriver.onSettings = Settings(QStringLiteral("2"));
    mDriver.onReady = [&](VideoReadyDlg& dialog) {
        ready = true;
        dialog.Choose(VideoReadyDlg::Close);
    };
    window.SaveAsVideo();

    EXPECT_FALSE(ready);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the progress dialog is closed";
    ASSERT_FALSE(mMessages.All().empty());
    EXPECT_TRUE(mMessages.LastText().startsWith(QStringLiteral("The video could not be saved:")));
    EXPECT_TRUE(mMessages.LastText().contains(QStringLiteral("song.mp3"))) << mMessages.LastText().toStdString();
    std::ifstream target(mOutput.toStdString());
    std::string content;
    std::getline(target, content);
    EXPECT_EQ(content, "earlier video");
}

} // namespace
