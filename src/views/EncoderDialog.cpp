#include "views/EncoderDialog.h"

#include "VideoEncoder.h"
#include "project/Paths.h"
#include "project/ProjectSettings.h"
#include "views/EncoderSettings.h"
#include "views/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace Pellora::Views {

namespace {

QComboBox* MakeCombo(QWidget* parent, const QStringList& items, const QString& selected, bool editable)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(editable);
    combo->addItems(items);
    combo->setCurrentText(selected);
    return combo;
}

} // namespace

EncoderDialog::EncoderDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Video Encoding"));
    BuildControls();
    FillCodecs();
}

EncoderDialog::~EncoderDialog() = default;

void EncoderDialog::BuildControls()
{
    mOutputEdit = new QLineEdit(this);
    mOutputEdit->setMinimumWidth(280);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setFixedWidth(32);
    connect(browse, &QPushButton::clicked, this, &EncoderDialog::BrowseOutput);
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(mOutputEdit);
    outputRow->addWidget(browse);

    mCodecList = new QComboBox(this);
    mResolutionBox = MakeCombo(this, {QStringLiteral("1280x720"), QStringLiteral("1920x1080")},
        QStringLiteral("1280x720"), true);
    mFpsBox = MakeCombo(this, {QStringLiteral("30"), QStringLiteral("60")}, QStringLiteral("60"), true);
    mBitRateEdit = new QLineEdit(QStringLiteral("4000000"), this);
    mHardwareBox = new QCheckBox(QStringLiteral("H/W Accelerated:   "), this);
    mHardwareBox->setChecked(true);
    connect(mHardwareBox, &QCheckBox::clicked, this, &EncoderDialog::OnHardwareClicked);
    mThreadsBox = MakeCombo(this, {QStringLiteral("Default"), "1", "2", "3", "4"}, QStringLiteral("Default"), true);
    mSpeedBox = MakeCombo(this,
        {QStringLiteral("Equal Speed/Quality"), QStringLiteral("Fastest Speed"), QStringLiteral("Faster Speed"),
            QStringLiteral("Fast Speed"), QStringLiteral("Best Quality"), QStringLiteral("Better Quality"),
            QStringLiteral("Good Quality")},
        QStringLiteral("Equal Speed/Quality"), true);
    mRateModeBox = MakeCombo(this,
        {QStringLiteral("Variable Bitrate"), QStringLiteral("Constant Bitrate"), QStringLiteral("Quality")},
        QStringLiteral("Quality"), true);
    connect(mRateModeBox, &QComboBox::currentTextChanged, this, &EncoderDialog::OnRateModeChanged);
    mQualitySlider = new QSlider(Qt::Horizontal, this);
    mQualitySlider->setRange(0, 100);
    mQualitySlider->setValue(100);
    mQualityLabel = new QLabel(QStringLiteral("100%"), this);
    mQualityLabel->setMinimumWidth(40);
    connect(mQualitySlider, &QSlider::valueChanged, this,
        [this](int position) { mQualityLabel->setText(QString::number(position) + QLatin1Char('%')); });
    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(mQualitySlider);
    qualityRow->addWidget(mQualityLabel);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Video File:"), outputRow);
    form->addRow(QStringLiteral("Codec:"), mCodecList);
    form->addRow(QStringLiteral("Resolution:"), mResolutionBox);
    form->addRow(QStringLiteral("FPS:"), mFpsBox);
    form->addRow(QStringLiteral("Bytes per second:"), mBitRateEdit);
    form->addRow(QString(), mHardwareBox);
    form->addRow(QStringLiteral("Number of Threads:"), mThreadsBox);
    form->addRow(QStringLiteral("Speed VS Quality:"), mSpeedBox);
    form->addRow(QStringLiteral("Rate Mode:"), mRateModeBox);
    form->addRow(QStringLiteral("Quality:"), qualityRow);

    auto* note = new QLabel(QStringLiteral("Note: No music would be played during encoding."), this);
    QFont noteFont(QStringLiteral("Arial"));
    noteFont.setPixelSize(14);
    noteFont.setItalic(true);
    note->setFont(noteFont);

    mEncodeButton = new QPushButton(QStringLiteral("Encode"), this);
    mEncodeButton->setDefault(true);
    connect(mEncodeButton, &QPushButton::clicked, this, &EncoderDialog::Encode);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(mEncodeButton);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(buttons);
}

void EncoderDialog::FillCodecs()
{
    mCodecList->addItem(QStringLiteral("H264"));
    // libx265 counts: HEVC is offered whenever any HEVC encoder opens, not only a hardware one.
    if (Export::VideoEncoder::HasHevcEncoder(false) || Export::VideoEncoder::HasHevcEncoder(true)) {
        mCodecList->addItem(QStringLiteral("HEVC"));
    }
    mCodecList->setCurrentIndex(0);
    // The tuning controls stay usable without hardware: the software encoders honour them too.
    if (!Export::VideoEncoder::HasHardwareH264Encoder()) {
        mHardwareBox->setChecked(false);
        mHardwareBox->setEnabled(false);
    }
}

void EncoderDialog::BrowseOutput()
{
    QFileDialog dialog(this, QStringLiteral("Name of the video file"), QString(),
        QStringLiteral("H264 Video Files (*.mp4)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("mp4"));
    dialog.selectFile(QStringLiteral("MySavedVideo"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        ChooseOutput(dialog.selectedFiles().front());
    }
}

void EncoderDialog::ChooseOutput(const QString& path)
{
    const OutputCheck result = CheckOutputFile(ToPath(path.toStdU16String()));
    if (result == OutputCheck::Usable) {
        mOutputEdit->setText(path);
        return;
    }
    ShowMessage(this, OutputCheckMessage(result), QStringLiteral("Error"));
}

void EncoderDialog::OnHardwareClicked(bool ticked)
{
    if (!ticked && mCodecList->currentIndex() == 1 && !Export::VideoEncoder::HasHevcEncoder(true)) {
        ShowMessage(this, QStringLiteral("Your system do not have software HEVC encoder"), QStringLiteral("Warning"),
            QMessageBox::Warning);
        mHardwareBox->setChecked(true);
    }
}

void EncoderDialog::OnRateModeChanged()
{
    const bool quality = mRateModeBox->currentText() == QLatin1String("Quality");
    mQualitySlider->setEnabled(quality);
    mQualityLabel->setEnabled(quality);
}

Export::ExportJob EncoderDialog::JobFromControls() const
{
    Export::ExportJob job;
    job.mWorkerThreads = ThreadsFromText(mThreadsBox->currentText());
    job.mQualityVsSpeed = SpeedFromText(mSpeedBox->currentText());
    job.mRateMode = RateModeFromText(mRateModeBox->currentText());
    job.mQuality = mQualitySlider->value();
    job.mBitRate = BitRateFromText(mBitRateEdit->text());
    job.mH264 = mCodecList->currentIndex() == 0;
    // Without hardware the box is off and disabled, yet the tuning must still reach the software
    // encoder, which the job applies only when it may prefer hardware (and then falls back).
    job.mHardware = mHardwareBox->isChecked() || !mHardwareBox->isEnabled();
    return job;
}

void EncoderDialog::StoreFormatInProject() const
{
    ProjectSettings project;
    const std::u16string path = FromPath(mProjectPath);
    if (!project.Load(path)) {
        return;
    }
    project.m_FPS = FpsFromText(mFpsBox->currentText());
    if (const auto size = ResolutionFromText(mResolutionBox->currentText())) {
        project.m_ScreenWidth = size->first;
        project.m_ScreenHeight = size->second;
    }
    project.Save(path);
}

void EncoderDialog::Encode()
{
    const QString output = mOutputEdit->text().left(260);
    if (output.isEmpty()) {
        ShowMessage(this, QStringLiteral("This video file path is not specified!"), QStringLiteral("Error"));
        return;
    }
    StoreFormatInProject();
    Export::ExportJob job = JobFromControls();
    const std::filesystem::path outputPath = ToPath(output.toStdU16String());
    if (const OutputCheck result = CheckOutputFile(outputPath); result != OutputCheck::Usable) {
        ShowMessage(this, OutputCheckMessage(result), QStringLiteral("Error"));
        return;
    }
    job.mMusicPath = mMusicPath;
    job.mProjectPath = mProjectPath;
    job.mOutputPath = outputPath;
    mOutputPath = outputPath;
    mSession = std::make_unique<Export::ExportSession>(job);
    mSession->Start();
    accept();
}

std::unique_ptr<Export::ExportSession> EncoderDialog::TakeSession()
{
    return std::move(mSession);
}

} // namespace Pellora::Views
