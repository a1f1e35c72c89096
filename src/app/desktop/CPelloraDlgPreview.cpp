// The preview: Play, Pause, Stop, the frame tick, the trackbar and the music.
#include "app/desktop/CPelloraDlg.h"

#include "app/desktop/DurationText.h"
#include "app/desktop/Mp3.h"
#include "framework/GameException.h"
#include "show/RenderingGame.h"
#include "views/DXStatic.h"
#include "views/MessageBox.h"
#include "views/StaticButton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <exception>

namespace Pellora::Desktop {

namespace {

// A busy cursor for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

double CPelloraDlg::ElapsedSeconds() const
{
    return mEngine ? mEngine->GetFrameTime().sinceStart : 0.0;
}

void CPelloraDlg::SetButtons(bool play, bool pause, bool stop)
{
    mPlayButton->SetEnabled(play);
    mPauseButton->SetEnabled(pause);
    mStopButton->SetEnabled(stop);
}

bool CPelloraDlg::StartEngine()
{
    mStatus->setText(QStringLiteral("Analyzing..."));
    mStatus->repaint();
    if (mPhotoList.empty()) {
        mStatus->clear();
        Views::ShowMessage(this, QStringLiteral("Not enough photos"), QStringLiteral("Pellora Beta"));
        return false;
    }
    if (!SaveProjectFromPanel()) {
        mStatus->clear();
        Views::ShowMessage(this, QStringLiteral("The project could not be saved, so the show cannot start."),
            QStringLiteral("Error"), QMessageBox::Critical);
        return false;
    }
    const BusyCursor busy;
    try {
        auto engine = std::make_shared<Rendering::RenderingGame>(
            [this](std::uint32_t& width, std::uint32_t& height) {
                const QSize size = mPreview->PixelSize();
                width = static_cast<std::uint32_t>(std::max(size.width(), 16));
                height = static_cast<std::uint32_t>(std::max(size.height(), 16));
            },
            Library::TargetKind::PreviewWindow);
        engine->SetPresentCallback([this](const QImage& picture) { mPreview->SetPicture(picture); });
        mMusic = std::make_shared<Mp3>();
        mMusic->Open(mMusicEdit->text());
        engine->CreateSizedObjects();
        engine->Prepare();
        mEngine = std::move(engine);
    } catch (const std::exception& error) {
        mMusic.reset();
        mStatus->clear();
        Views::ShowMessage(this, QStringLiteral("The preview cannot start: %1").arg(QString::fromStdString(error.what())),
            QStringLiteral("Error"), QMessageBox::Critical);
        return false;
    }
    const std::int32_t d = GetDurationSeconds();
    mTrackbar->setRange(0, 10 * d);
    mTrackbar->setValue(0);
    mTotalTime->setText(ClockText(d));
    mEngineStarted = true;
    return true;
}

void CPelloraDlg::Play()
{
    if (mState == PreviewState::Playing) {
        return;
    }
    if (!mEngine && !StartEngine()) {
        return;
    }
    mState = PreviewState::Playing;
    SetButtons(false, true, true);
    mMusic->Run();
    if (mEngine->IsPaused()) {
        mEngine->SetPaused(false);
    } else {
        mPreviewTimer.start();
    }
}

void CPelloraDlg::Pause()
{
    if (mState != PreviewState::Playing) {
        return;
    }
    mState = PreviewState::Paused;
    mPlayButton->SetEnabled(true);
    mPauseButton->SetEnabled(false);
    mMusic->Pause();
    mEngine->SetPaused(true);
}

void CPelloraDlg::Stop()
{
    if (mState == PreviewState::Stopped) {
        return;
    }
    mState = PreviewState::Stopped;
    mTrackbar->setValue(10 * GetDurationSeconds());
    if (mMusic) {
        mMusic->Stop();
    }
    ReleaseEngine();
    mLastShownSecond = 0;
    mCurrentTime->setText(QStringLiteral("00:00"));
    SetButtons(true, false, false);
    mPreview->ClearPicture();
}

void CPelloraDlg::ReleaseEngine()
{
    mPreviewTimer.stop();
    if (mEngine) {
        mEngine->ReleaseAll();
    }
    mEngine.reset();
    mMusic.reset();
}

void CPelloraDlg::OnPreviewTick()
{
    mPreviewTimer.stop();
    if (!mEngine) {
        return;
    }
    if (mEngineStarted) {
        mStatus->clear();
        mEngine->Clock().Restart();
        mEngineStarted = false;
    }
    try {
        mEngine->RunFrame();
    } catch (const std::exception& error) {
        Stop();
        Views::ShowMessage(this, QStringLiteral("The preview stopped: %1").arg(QString::fromStdString(error.what())),
            QStringLiteral("Error"), QMessageBox::Critical);
        return;
    }
    const double elapsed = ElapsedSeconds();
    const auto second = static_cast<std::uint32_t>(std::max(0.0, elapsed));
    if (second != mLastShownSecond) {
        mLastShownSecond = second;
        if (static_cast<std::uint32_t>(GetDurationSeconds()) >= second) {
            mCurrentTime->setText(ClockText(second));
        }
    }
    const std::int32_t d = GetDurationSeconds();
    if (mTickCounter % 10 == 0 && mState == PreviewState::Playing) {
        if (!mDragging) {
            mTrackbar->setValue(std::min(10 * d, static_cast<std::int32_t>(10.0 * elapsed)));
            mTickCounter = 0;
            ++mTickCounter;
        }
    } else {
        ++mTickCounter;
    }
    mPreviewTimer.start();
}

void CPelloraDlg::OnTrackbar(ScrollCode code, int position)
{
    const std::int32_t n = mScrollCounter++;
    switch (code) {
    case ScrollCode::ThumbTrack:
        // Every other drag notification is skipped so that the show can keep up while dragging.
        if (n % 2 != 0) {
            return;
        }
        mDragging = true;
        break;
    case ScrollCode::ThumbPosition:
        mDragging = false;
        break;
    case ScrollCode::EndTrack:
        return;
    case ScrollCode::Other:
        break;
    }
    if (!mEngine) {
        return;
    }
    mLastShownSecond = 0;
    mEngine->Clock().ShiftTo(position / 10.0);
    mEngine->SetStepOnce();
    if (mMusic && mMusic->IsReady()) {
        mMusic->Seek(position / 10.0);
    }
}

} // namespace Pellora::Desktop
