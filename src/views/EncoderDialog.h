#pragma once

#include "ExportSession.h"

#include <QDialog>

#include <filesystem>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace Pellora::Views {

// "Video Encoding": the output file, codec, size, frame rate, bit rate and encoder tuning of an
// export. Encode stores the size and frame rate in the project file, starts the export and closes
// the dialog with OK; the caller then takes the running session.
class EncoderDialog : public QDialog {
    Q_OBJECT

public:
    explicit EncoderDialog(QWidget* parent = nullptr);
    ~EncoderDialog() override;

    void SetProjectPath(std::filesystem::path path) { mProjectPath = std::move(path); }
    void SetMusicPath(std::filesystem::path path) { mMusicPath = std::move(path); }
    // Valid after the dialog closed with OK.
    const std::filesystem::path& GetOutputPath() const { return mOutputPath; }
    // The export Encode started; empty before.
    std::unique_ptr<Export::ExportSession> TakeSession();

    // What the "..." button does with the file the save dialog returns.
    void ChooseOutput(const QString& path);
    // The Encode button.
    void Encode();
    // The job the controls describe, without paths.
    Export::ExportJob JobFromControls() const;

    QLineEdit* OutputEdit() const { return mOutputEdit; }
    QComboBox* CodecList() const { return mCodecList; }
    QComboBox* ResolutionBox() const { return mResolutionBox; }
    QComboBox* FpsBox() const { return mFpsBox; }
    QLineEdit* BitRateEdit() const { return mBitRateEdit; }
    QCheckBox* HardwareBox() const { return mHardwareBox; }
    QComboBox* ThreadsBox() const { return mThreadsBox; }
    QComboBox* SpeedBox() const { return mSpeedBox; }
    QComboBox* RateModeBox() const { return mRateModeBox; }
    QSlider* QualitySlider() const { return mQualitySlider; }
    QLabel* QualityLabel() const { return mQualityLabel; }
    QPushButton* EncodeButton() const { return mEncodeButton; }

private:
    void BuildControls();
    void FillCodecs();
    void BrowseOutput();
    void OnHardwareClicked(bool ticked);
    void OnRateModeChanged();
    void StoreFormatInProject() const;

    std::filesystem::path mProjectPath;
    std::filesystem::path mMusicPath;
    std::filesystem::path mOutputPath;
    std::unique_ptr<Export::ExportSession> mSession;
    QLineEdit* mOutputEdit = nullptr;
    QComboBox* mCodecList = nullptr;
    QComboBox* mResolutionBox = nullptr;
    QComboBox* mFpsBox = nullptr;
    QLineEdit* mBitRateEdit = nullptr;
    QCheckBox* mHardwareBox = nullptr;
    QComboBox* mThreadsBox = nullptr;
    QComboBox* mSpeedBox = nullptr;
    QComboBox* mRateModeBox = nullptr;
    QSlider* mQualitySlider = nullptr;
    QLabel* mQualityLabel = nullptr;
    QPushButton* mEncodeButton = nullptr;
};

} // namespace Pellora::Views
