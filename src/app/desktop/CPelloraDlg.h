#pragma once

#include "project/ProjectSettings.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace Export {
class ExportSession;
}
namespace Rendering {
class RenderingGame;
}

namespace Pellora::Views {
class DXStatic;
class EncodeProgressDlg;
class PhotoScrollView;
class StaticButton;
}

namespace Pellora::Desktop {

class Mp3;

// The program's only window: the photo strip, the preview with its play controls and trackbar,
// and the settings panel. It owns the photo list and translates between the panel and the project
// file, which it reads when it opens and writes when a preview or an export starts and when it
// closes. Everything runs on the user-interface thread.
class CPelloraDlg : public QDialog {
    Q_OBJECT

public:
    enum class PreviewState { Playing = 0, Paused = 1, Stopped = 2 };
    // How the trackbar reports a move.
    enum class ScrollCode { ThumbTrack, ThumbPosition, EndTrack, Other };

    explicit CPelloraDlg(QWidget* parent = nullptr);
    ~CPelloraDlg() override;

    static std::u16string ProjectPath();

    // Panel and project.
    bool PanelToSettings(ProjectSettings& settings);
    bool SaveProjectFromPanel();
    std::int32_t GetDurationSeconds();

    // Photo commands; AddPhotos is what the Add Photo file dialog feeds.
    void AddPhotos(const QStringList& paths);
    void DeletePhoto();
    void DeleteAllPhotos();
    void ChooseBackground(const QString& path);
    void OnDurationSelected(int index);
    void DeleteCache();
    void Support();

    // Preview.
    void Play();
    void Pause();
    void Stop();
    void OnTrackbar(ScrollCode code, int position);
    void OnPreviewTick();

    // Export.
    void SaveAsVideo();

    const std::vector<PhotoInfo>& PhotoList() const { return mPhotoList; }
    PreviewState State() const { return mState; }
    Rendering::RenderingGame* Engine() const { return mEngine.get(); }
    Mp3* Music() const { return mMusic.get(); }
    Views::PhotoScrollView* StripView() const { return mPhotoView; }
    Views::DXStatic* Preview() const { return mPreview; }
    Views::StaticButton* PlayButton() const { return mPlayButton; }
    Views::StaticButton* PauseButton() const { return mPauseButton; }
    Views::StaticButton* StopButton() const { return mStopButton; }
    Views::StaticButton* SaveButton() const { return mSaveButton; }
    QSlider* Trackbar() const { return mTrackbar; }
    QLabel* CurrentTimeLabel() const { return mCurrentTime; }
    QLabel* TotalTimeLabel() const { return mTotalTime; }
    QLabel* StatusLabel() const { return mStatus; }
    QLineEdit* BackgroundEdit() const { return mBackgroundEdit; }
    QLineEdit* BackgroundSizeEdit() const { return mBackgroundSizeEdit; }
    QComboBox* BackgroundMovingList() const { return mBackgroundMoving; }
    QComboBox* SinewaveList() const { return mSinewave; }
    QComboBox* DurationBox() const { return mDuration; }
    QLineEdit* MusicEdit() const { return mMusicEdit; }
    QComboBox* PhotoFrameList() const { return mPhotoFrame; }
    QComboBox* TextureSizeList() const { return mTextureSize; }
    QLineEdit* TitleEdit() const { return mTitleEdit; }
    QCheckBox* PlainEffectBox() const { return mPlainEffect; }
    QPushButton* AddEndCreditsButton() const { return mAddEndCredits; }
    QPushButton* AddCirclesButton() const { return mAddCircles; }
    // The export dialog's output path of the last export.
    const std::u16string& VideoPath() const { return mVideoPath; }
    // One line per problem, shown in the status label.
    void ShowWarnings(const QStringList& lines);

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* BuildCommandRow();
    QWidget* BuildPreviewArea();
    QWidget* BuildPanel();
    void ApplyColours();
    void ApplyPanelDefaults();
    void LoadProjectIntoPanel();
    void AddPhoto(const std::u16string& path, std::int32_t brightness, const CirclesInfo& circles,
        const EndCreditInfo& endCredit, QStringList& skipped);
    void ProcessPendingPhotos();
    void BrowsePhotos();
    void BrowseBackground();
    void BrowseMusic();
    void SetDurationText(const QString& seconds);
    std::int32_t SongSeconds(const QString& path);
    bool PlainFontAvailable();
    PhotoInfo* FindPhoto(const std::u16string& path);
    void ConnectStrip();

    bool StartEngine();
    void SetButtons(bool play, bool pause, bool stop);
    void ReleaseEngine();
    double ElapsedSeconds() const;

    void RunExport(std::unique_ptr<Export::ExportSession> session);
    void OnExportTick();

    std::vector<PhotoInfo> mPhotoList;
    PhotoInfo mBackground;
    QStringList mPendingPhotos;
    std::shared_ptr<Rendering::RenderingGame> mEngine;
    std::shared_ptr<Mp3> mMusic;
    PreviewState mState = PreviewState::Stopped;
    std::int32_t mDurationSeconds = 30;
    std::u16string mVideoPath;
    std::int32_t mNextPhotoId = 0;
    bool mPlainFontKnown = false;
    bool mPlainFontAvailable = false;
    QString mSongLengthPath; // cache: the duration is asked on every preview tick
    std::int32_t mSongLength = 0;

    bool mEngineStarted = false;
    std::uint32_t mLastShownSecond = 0;
    bool mDragging = false;
    std::int32_t mTickCounter = 0;
    std::int32_t mScrollCounter = 0;

    QTimer mPreviewTimer;  // 12 ms frame tick
    QTimer mExportTimer;   // 200 ms export poll
    QTimer mAddPhotoTimer; // 40 ms, photos just chosen
    std::unique_ptr<Export::ExportSession> mExportSession;
    Views::EncodeProgressDlg* mProgressDlg = nullptr; // open while an export runs

    Views::PhotoScrollView* mPhotoView = nullptr;
    Views::DXStatic* mPreview = nullptr;
    Views::StaticButton* mPlayButton = nullptr;
    Views::StaticButton* mPauseButton = nullptr;
    Views::StaticButton* mStopButton = nullptr;
    Views::StaticButton* mSaveButton = nullptr;
    QSlider* mTrackbar = nullptr;
    QLabel* mCurrentTime = nullptr;
    QLabel* mTotalTime = nullptr;
    QLabel* mStatus = nullptr;
    QLineEdit* mBackgroundEdit = nullptr;
    QLineEdit* mBackgroundSizeEdit = nullptr;
    QComboBox* mBackgroundMoving = nullptr;
    QComboBox* mSinewave = nullptr;
    QComboBox* mDuration = nullptr;
    QLineEdit* mMusicEdit = nullptr;
    QComboBox* mPhotoFrame = nullptr;
    QComboBox* mTextureSize = nullptr;
    QLineEdit* mTitleEdit = nullptr;
    QCheckBox* mPlainEffect = nullptr;
    QPushButton* mAddEndCredits = nullptr;
    QPushButton* mAddCircles = nullptr;
};

} // namespace Pellora::Desktop
