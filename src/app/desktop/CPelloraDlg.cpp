#include "app/desktop/CPelloraDlg.h"

#include "ExportSession.h"
#include "app/desktop/AboutDlg.h"
#include "app/desktop/DurationText.h"
#include "app/desktop/Mp3.h"
#include "app/desktop/Thumbnails.h"
#include "app/services/DataFolder.h"
#include "app/services/FolderTree.h"
#include "project/BackgroundPhoto.h"
#include "project/NumberText.h"
#include "project/Paths.h"
#include "show/RenderingGame.h"
#include "views/DXStatic.h"
#include "views/MessageBox.h"
#include "views/PhotoScrollView.h"
#include "views/StaticButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace Pellora::Desktop {

namespace {

const QColor kPanelColour(0, 127, 184);
const QString kNoSelection = QStringLiteral("No photo is selected.\nPlease select a photo first.");

QComboBox* MakeList(QWidget* parent, const QStringList& items, bool editable = false)
{
    auto* list = new QComboBox(parent);
    list->setEditable(editable);
    list->addItems(items);
    return list;
}

QPushButton* MakeCommand(QWidget* parent, const QString& text, CPelloraDlg* receiver, void (CPelloraDlg::*slot)())
{
    auto* button = new QPushButton(text, parent);
    QObject::connect(button, &QPushButton::clicked, receiver, slot);
    return button;
}

QString Text(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

std::u16string Text(const QString& text)
{
    return text.toStdU16String();
}

} // namespace

CPelloraDlg::CPelloraDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Pellora Beta"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    setSizeGripEnabled(true);
    for (QTimer* timer : {&mPreviewTimer, &mExportTimer, &mAddPhotoTimer}) {
        timer->setSingleShot(true);
    }
    mPreviewTimer.setInterval(12);
    mExportTimer.setInterval(200);
    mAddPhotoTimer.setInterval(40);
    connect(&mPreviewTimer, &QTimer::timeout, this, &CPelloraDlg::OnPreviewTick);
    connect(&mExportTimer, &QTimer::timeout, this, &CPelloraDlg::OnExportTick);
    connect(&mAddPhotoTimer, &QTimer::timeout, this, &CPelloraDlg::ProcessPendingPhotos);

    mPhotoView = new Views::PhotoScrollView(logicalDpiX(), this);
    mPhotoView->setFixedHeight(120 * logicalDpiX() / 96);
    ConnectStrip();
    auto* body = new QHBoxLayout;
    body->addWidget(BuildPreviewArea(), 1);
    body->addWidget(BuildPanel(), 0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildCommandRow());
    layout->addWidget(mPhotoView);
    layout->addLayout(body, 1);
    ApplyColours();

    ApplyPanelDefaults();
    LoadProjectIntoPanel();
    SetButtons(true, false, false);
    resize(1100, 640);
}

CPelloraDlg::~CPelloraDlg()
{
    mPreviewTimer.stop();
    mAddPhotoTimer.stop();
    ReleaseEngine();
}

std::u16string CPelloraDlg::ProjectPath()
{
    return FromPath(Rendering::RenderingGame::DefaultProjectPath());
}

QWidget* CPelloraDlg::BuildCommandRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeCommand(row, QStringLiteral("Add Photo"), this, &CPelloraDlg::BrowsePhotos));
    layout->addWidget(MakeCommand(row, QStringLiteral("Delete Photo"), this, &CPelloraDlg::DeletePhoto));
    layout->addWidget(MakeCommand(row, QStringLiteral("Delete All Photos"), this, &CPelloraDlg::DeleteAllPhotos));
    // Both act on the photo selected in the strip, exactly as its context menu does.
    mAddEndCredits = new QPushButton(QStringLiteral("Add End Credits"), row);
    mAddCircles = new QPushButton(QStringLiteral("Add Expanding Circles"), row);
    connect(mAddEndCredits, &QPushButton::clicked, mPhotoView, &Views::PhotoScrollView::AddEndCreditText);
    connect(mAddCircles, &QPushButton::clicked, mPhotoView, &Views::PhotoScrollView::AddExpandCircleEffect);
    layout->addWidget(mAddEndCredits);
    layout->addWidget(mAddCircles);
    layout->addStretch();
    layout->addWidget(MakeCommand(row, QStringLiteral("Delete Cache"), this, &CPelloraDlg::DeleteCache));
    layout->addWidget(MakeCommand(row, QStringLiteral("Support"), this, &CPelloraDlg::Support));
    return row;
}

QWidget* CPelloraDlg::BuildPreviewArea()
{
    auto* area = new QWidget(this);
    mPreview = new Views::DXStatic(area);
    mPreview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    mTrackbar = new QSlider(Qt::Horizontal, area);
    mTrackbar->setRange(0, 300);
    connect(mTrackbar, &QSlider::sliderMoved, this, [this](int p) { OnTrackbar(ScrollCode::ThumbTrack, p); });
    connect(mTrackbar, &QSlider::sliderReleased, this,
        [this] { OnTrackbar(ScrollCode::ThumbPosition, mTrackbar->sliderPosition()); });
    connect(mTrackbar, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction) {
            OnTrackbar(ScrollCode::Other, mTrackbar->sliderPosition());
        }
    });

    const int dpi = logicalDpiX();
    const auto makeButton = [&](int kind, const QString& tip, void (CPelloraDlg::*action)()) {
        auto* button = new Views::StaticButton(area);
        button->SetDpi(static_cast<float>(dpi));
        button->SetKind(kind);
        button->SetAction([this, action] { (this->*action)(); });
        button->setToolTip(tip);
        button->setFixedSize(60 * dpi / 96, 50 * dpi / 96);
        return button;
    };
    mPlayButton = makeButton(Views::StaticButton::Play, QStringLiteral("Play"), &CPelloraDlg::Play);
    mPauseButton = makeButton(Views::StaticButton::Pause, QStringLiteral("Pause"), &CPelloraDlg::Pause);
    mStopButton = makeButton(Views::StaticButton::Stop, QStringLiteral("Stop"), &CPelloraDlg::Stop);
    mSaveButton =
        makeButton(Views::StaticButton::FilmStrip, QStringLiteral("Save as Video"), &CPelloraDlg::SaveAsVideo);

    mCurrentTime = new QLabel(QStringLiteral("00:00"), area);
    mTotalTime = new QLabel(QStringLiteral("00:30"), area);
    mStatus = new QLabel(area);
    QFont statusFont(QStringLiteral("Arial"));
    statusFont.setPixelSize(14);
    statusFont.setItalic(true);
    mStatus->setFont(statusFont);
    mStatus->setWordWrap(true);
    mStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* times = new QHBoxLayout;
    times->addWidget(mCurrentTime);
    times->addStretch();
    times->addWidget(mTotalTime);
    auto* controls = new QHBoxLayout;
    for (Views::StaticButton* button : {mPlayButton, mPauseButton, mStopButton, mSaveButton}) {
        controls->addWidget(button);
    }
    controls->addWidget(mStatus, 1);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mPreview, 1);
    layout->addWidget(mTrackbar);
    layout->addLayout(times);
    layout->addLayout(controls);
    return area;
}

QWidget* CPelloraDlg::BuildPanel()
{
    auto* panel = new QWidget(this);
    panel->setFixedWidth(360 * logicalDpiX() / 96);
    mBackgroundEdit = new QLineEdit(panel);
    mBackgroundSizeEdit = new QLineEdit(panel);
    mBackgroundSizeEdit->setValidator(new QIntValidator(0, 100000, mBackgroundSizeEdit));
    mBackgroundMoving = MakeList(panel, {QStringLiteral("Yes"), QStringLiteral("No")});
    mSinewave = MakeList(panel, {QStringLiteral("Yes"), QStringLiteral("No")});
    mDuration = MakeList(panel, {QStringLiteral("Song Duration"), QStringLiteral("60")}, true);
    connect(mDuration, &QComboBox::activated, this, &CPelloraDlg::OnDurationSelected);
    mMusicEdit = new QLineEdit(panel);
    mPhotoFrame = MakeList(panel, {QStringLiteral("White"), QStringLiteral("None")});
    mTextureSize = MakeList(panel,
        {QStringLiteral("Auto"), QStringLiteral("512 x 512"), QStringLiteral("1024 x 1024"),
            QStringLiteral("2048 x 2048")});
    mTitleEdit = new QLineEdit(panel);
    mPlainEffect = new QCheckBox(QStringLiteral("Plain Effect"), panel);

    const auto withBrowse = [panel](QLineEdit* edit, QPushButton* browse) {
        auto* row = new QHBoxLayout;
        browse->setFixedWidth(32);
        row->addWidget(edit);
        row->addWidget(browse);
        return row;
    };
    auto* form = new QFormLayout(panel);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Background Image:"),
        withBrowse(mBackgroundEdit, MakeCommand(panel, QStringLiteral("..."), this, &CPelloraDlg::BrowseBackground)));
    form->addRow(QStringLiteral("Background Size(%):"), mBackgroundSizeEdit);
    form->addRow(QStringLiteral("Background Moving:"), mBackgroundMoving);
    form->addRow(QStringLiteral("Show Sinewave:"), mSinewave);
    form->addRow(QStringLiteral("Duration(seconds):"), mDuration);
    form->addRow(QStringLiteral("Music File:"),
        withBrowse(mMusicEdit, MakeCommand(panel, QStringLiteral("..."), this, &CPelloraDlg::BrowseMusic)));
    form->addRow(QStringLiteral("Show Photo Frame:"), mPhotoFrame);
    form->addRow(QStringLiteral("Texture Size:"), mTextureSize);
    auto* titleLabel = new QLabel(QStringLiteral("Title Text:\n(Alphanumeric)"), panel);
    titleLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(titleLabel, mTitleEdit);
    form->addRow(QString(), mPlainEffect);
    return panel;
}

void CPelloraDlg::ApplyColours()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kPanelColour);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    // Buttons and fields keep the desktop's own colours; only the dialog face and its texts change.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) || qobject_cast<QPushButton*>(child)) {
            child->setPalette(QPalette());
        }
    }
}

void CPelloraDlg::ApplyPanelDefaults()
{
    mMusicEdit->clear();
    mSinewave->setCurrentIndex(0);
    mPhotoFrame->setCurrentIndex(0);
    mTextureSize->setCurrentIndex(0);
    mTitleEdit->setText(QStringLiteral("Pellora"));
    mBackgroundMoving->setCurrentIndex(0);
    mBackgroundEdit->clear();
    mBackground = PhotoInfo{};
    mDuration->setEditText(QStringLiteral("30"));
    mBackgroundSizeEdit->setText(QStringLiteral("100"));
    mPlainEffect->setChecked(false);
}

void CPelloraDlg::SetDurationText(const QString& seconds)
{
    if (const auto shown = DurationDisplayText(seconds)) {
        mDuration->setEditText(*shown);
    }
}

void CPelloraDlg::LoadProjectIntoPanel()
{
    const std::u16string path = ProjectPath();
    ProjectSettings project;
    if (!IsExistingFile(path)) {
        return;
    }
    if (!project.Load(path)) {
        KeepUnreadableProject();
        return;
    }
    mMusicEdit->setText(Text(project.m_MP3));
    mTitleEdit->setText(Text(project.m_PlainTextTitle));
    mBackgroundEdit->setText(Text(project.m_OrigBackgroundImage));
    mBackgroundSizeEdit->setText(QString::number(project.m_BackgroundSize));
    mSinewave->setCurrentIndex(project.m_ShowSinewave ? 0 : 1);
    mBackgroundMoving->setCurrentIndex(project.m_BackgroundMoving ? 0 : 1);
    mPhotoFrame->setCurrentIndex(project.m_PhotoFrame == static_cast<std::int32_t>(PhotoFrameStyle::White) ? 0 : 1);
    const int texture = mTextureSize->findText(Text(project.m_TextureSize));
    mTextureSize->setCurrentIndex(texture >= 0 && texture <= 2 ? texture : 3);
    mBackground = PhotoInfo{};
    mBackground.OrigImage = project.m_OrigBackgroundImage;
    mBackground.Image = project.m_BackgroundImage;
    mBackground.Dim = project.m_BackgroundDim;
    mBackground.Width = project.m_BackgroundWidth;
    mBackground.Height = project.m_BackgroundHeight;
    mBackground.ModifiedLow = project.m_BackgroundTimeLow;
    mBackground.ModifiedHigh = project.m_BackgroundTimeHigh;
    SetDurationText(QString::number(std::max<std::uint32_t>(project.m_Duration, 20)));
    mPlainEffect->setChecked(project.m_PlainTitleEffect);

    QStringList skipped;
    for (std::size_t i = 0; i < project.m_OrigImages.size(); ++i) {
        const std::u16string& photo = project.m_OrigImages[i];
        if (!IsExistingFile(photo)) {
            continue;
        }
        const std::int32_t brightness = i < project.m_Brightness.size() ? project.m_Brightness[i] : 100;
        AddPhoto(photo, brightness, project.GetCirclesInfo(photo), project.GetEndCreditInfo(photo), skipped);
    }
    ShowWarnings(skipped);
}

void CPelloraDlg::KeepUnreadableProject()
{
    // The window writes its project when it closes; a file it could not read is moved aside first,
    // so that whatever it held is not lost.
    const std::filesystem::path project = ToPath(ProjectPath());
    std::filesystem::path kept = project;
    kept += ".unreadable";
    std::error_code error;
    std::filesystem::rename(project, kept, error);
    mStatus->setText(error ? QStringLiteral("The project file %1 cannot be read.").arg(Text(FromPath(project)))
                           : QStringLiteral("The project file could not be read; it was kept as %1.")
                                 .arg(Text(FromPath(kept))));
}

// --- photos ---------------------------------------------------------------------------------

PhotoInfo* CPelloraDlg::FindPhoto(const std::u16string& path)
{
    const auto found =
        std::find_if(mPhotoList.begin(), mPhotoList.end(), [&](const PhotoInfo& p) { return p.OrigImage == path; });
    return found == mPhotoList.end() ? nullptr : &*found;
}

void CPelloraDlg::ConnectStrip()
{
    static const CirclesInfo kNoCircles;
    Views::PhotoListCallbacks callbacks;
    callbacks.deleteById = [this](std::int32_t id) {
        std::erase_if(mPhotoList, [id](const PhotoInfo& p) { return p.Id == id; });
    };
    callbacks.pathById = [this](std::int32_t id) {
        const auto found =
            std::find_if(mPhotoList.begin(), mPhotoList.end(), [id](const PhotoInfo& p) { return p.Id == id; });
        return found == mPhotoList.end() ? std::u16string() : found->OrigImage;
    };
    callbacks.circlesByPath = [this](const std::u16string& path) -> const CirclesInfo& {
        const PhotoInfo* photo = FindPhoto(path);
        return photo ? photo->Circles : kNoCircles;
    };
    callbacks.setCircles = [this](const std::u16string& path, const CirclesInfo& circles) {
        if (PhotoInfo* photo = FindPhoto(path); photo && !path.empty()) {
            photo->Circles.Points = circles.Points;
            photo->Circles.ImagePath = circles.ImagePath;
        }
    };
    callbacks.endCreditByPath = [this](const std::u16string& path) {
        const PhotoInfo* photo = FindPhoto(path);
        return photo ? photo->EndCredit : EndCreditInfo{};
    };
    callbacks.setEndCredit = [this](const EndCreditInfo& credit) {
        if (PhotoInfo* photo = FindPhoto(credit.ImagePath)) {
            photo->EndCredit = credit;
        }
    };
    callbacks.photoByPath = [this](const std::u16string& path) -> const PhotoInfo& {
        return FindPhotoInfo(mPhotoList, path);
    };
    mPhotoView->SetCallbacks(std::move(callbacks));
}

void CPelloraDlg::BrowsePhotos()
{
    const QStringList paths = QFileDialog::getOpenFileNames(this, QStringLiteral("Add a photo"), QString(),
        QStringLiteral("JPG Files (*.jpg *.jpeg *.JPG *.JPEG);;PNG Files (*.png *.PNG)"));
    if (!paths.isEmpty()) {
        mPendingPhotos += paths;
        mAddPhotoTimer.start();
    }
}

void CPelloraDlg::AddPhotos(const QStringList& paths)
{
    mPendingPhotos += paths;
    ProcessPendingPhotos();
}

void CPelloraDlg::ProcessPendingPhotos()
{
    mAddPhotoTimer.stop();
    QStringList skipped;
    for (const QString& path : std::as_const(mPendingPhotos)) {
        AddPhoto(Text(path), 100, {}, {}, skipped);
    }
    mPendingPhotos.clear();
    ShowWarnings(skipped);
}

void CPelloraDlg::AddPhoto(const std::u16string& path, std::int32_t brightness, const CirclesInfo& circles,
    const EndCreditInfo& endCredit, QStringList& skipped)
{
    const FileTimeHalves written = GetFileWriteTime(path);
    if ((written.Low == 0 && written.High == 0) || !QImageReader(Text(path)).canRead()) {
        skipped << QStringLiteral("Skipped %1: it cannot be read as a picture.").arg(QFileInfo(Text(path)).fileName());
        return;
    }
    const std::u16string thumbnail = ThumbnailPathFor(GetThumbnailFolder(), path);
    MakeThumbnail(path, thumbnail);
    // Adding a photo that is already listed refreshes its record and keeps its one cell, so the
    // strip always shows exactly the photos the show will use.
    if (PhotoInfo* listed = FindPhoto(path)) {
        listed->Thumbnail = thumbnail;
        listed->Brightness = brightness;
        listed->Circles = circles;
        listed->EndCredit = endCredit;
        return;
    }
    PhotoInfo photo;
    photo.OrigImage = path;
    photo.Thumbnail = thumbnail;
    photo.Id = mNextPhotoId;
    photo.Brightness = brightness;
    photo.Circles = circles;
    photo.EndCredit = endCredit;
    mPhotoList.push_back(photo);
    mPhotoView->AddCell(photo.Id, thumbnail, path);
    ++mNextPhotoId;
}

void CPelloraDlg::DeletePhoto()
{
    if (!mPhotoView->SelectedCell()) {
        Views::ShowMessage(this, kNoSelection, QStringLiteral("Error"), QMessageBox::Information);
        return;
    }
    mPhotoView->DeleteSelectedImage();
}

void CPelloraDlg::DeleteAllPhotos()
{
    mPhotoList.clear();
    mPhotoView->RemoveAllCells();
}

void CPelloraDlg::BrowseBackground()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
        QStringLiteral("JPEG files (*.jpg *.jpeg);;PNG files (*.png);;All files (*)"));
    if (!path.isEmpty()) {
        ChooseBackground(path);
    }
}

void CPelloraDlg::ChooseBackground(const QString& path)
{
    mBackgroundEdit->setText(path);
    const FileTimeHalves written = GetFileWriteTime(Text(path));
    if (written.Low != 0 || written.High != 0) {
        mBackground = MakeBackgroundPhotoInfo(Text(path));
    }
}

void CPelloraDlg::BrowseMusic()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QString(), QString(), QStringLiteral("MP3 Files (*.mp3);;AAC files (*.aac *.m4a)"));
    if (!path.isEmpty()) {
        mMusicEdit->setText(path);
    }
}

// --- duration and project -------------------------------------------------------------------

std::int32_t CPelloraDlg::SongSeconds(const QString& path)
{
    if (path != mSongLengthPath) {
        Mp3 player;
        player.Open(path);
        mSongLength = static_cast<std::int32_t>(player.Duration() / 10000000);
        mSongLengthPath = path;
    }
    return mSongLength;
}

std::int32_t CPelloraDlg::GetDurationSeconds()
{
    const QString text = mDuration->currentText();
    QString seconds = text;
    if (text == QLatin1String("Song Duration")) {
        const QString music = mMusicEdit->text();
        seconds = music.isEmpty() || !IsExistingFile(Text(music)) ? QStringLiteral("30")
                                                                  : QString::number(SongSeconds(music));
    }
    mDurationSeconds = DurationFromText(seconds);
    return mDurationSeconds;
}

void CPelloraDlg::OnDurationSelected(int index)
{
    if (mDuration->itemText(index) != QLatin1String("Song Duration")) {
        return;
    }
    const QString music = mMusicEdit->text();
    QString problem;
    if (music.isEmpty()) {
        problem = QStringLiteral("no MP3 file is set!");
    } else if (!IsExistingFile(Text(music))) {
        problem = QStringLiteral("MP3 file cannot be read!");
    } else {
        return;
    }
    Views::ShowMessage(this,
        QStringLiteral("Duration is set to Song duration\nbut %1\nDuration is set to 30 seconds!").arg(problem),
        QStringLiteral("Duration error!"), QMessageBox::Warning);
    mDuration->setCurrentIndex(1);
}

bool CPelloraDlg::PlainFontAvailable()
{
    if (!mPlainFontKnown) {
        mPlainFontAvailable = QFontDatabase::families().contains(QStringLiteral("Brush Script MT"));
        mPlainFontKnown = true;
    }
    return mPlainFontAvailable;
}

bool CPelloraDlg::PanelToSettings(ProjectSettings& settings)
{
    const QSize previewSize = mPreview->PixelSize();
    settings.m_ScreenWidth = previewSize.width();
    settings.m_ScreenHeight = previewSize.height();
    settings.m_MP3 = Text(mMusicEdit->text());
    const QString frame = mPhotoFrame->currentText();
    settings.m_PhotoFrame = static_cast<std::int32_t>(frame == QLatin1String("None") ? PhotoFrameStyle::None
            : frame == QLatin1String("WhiteNoShadow")                                ? PhotoFrameStyle::WhiteNoShadow
                                                                                     : PhotoFrameStyle::White);
    settings.m_TextureSize = Text(mTextureSize->currentText());
    settings.m_Duration = static_cast<std::uint32_t>(GetDurationSeconds());
    settings.m_PlainTextTitle = Text(mTitleEdit->text());
    settings.m_BackgroundMoving = mBackgroundMoving->currentText() == QLatin1String("Yes");
    const auto size = capi::csv::parse_uint(mBackgroundSizeEdit->text().toStdString());
    settings.m_BackgroundSize = size && *size <= INT32_MAX ? static_cast<std::int32_t>(*size) : 100;
    settings.m_OrigBackgroundImage = Text(mBackgroundEdit->text());
    settings.m_ShowSinewave = mSinewave->currentText() == QLatin1String("Yes");
    settings.m_PlainTitleEffect = mPlainEffect->isChecked();
    settings.m_PlainFontAvailable = PlainFontAvailable();
    const std::u16string dataFolder = GetDataFolder();
    const std::u16string builtIn = JoinPath(dataFolder, u"BlackWood.jpg").value_or(u"BlackWood.jpg");
    if (settings.m_OrigBackgroundImage.empty() || settings.m_OrigBackgroundImage == builtIn) {
        settings.SetBuiltInBackground(dataFolder);
    } else {
        // A path typed into the edit, rather than chosen with "...", still needs its picture's record.
        if (mBackground.OrigImage != settings.m_OrigBackgroundImage && IsExistingFile(settings.m_OrigBackgroundImage)) {
            mBackground = MakeBackgroundPhotoInfo(settings.m_OrigBackgroundImage);
        }
        settings.SetBackground(mBackground);
    }
    settings.SetPhotoList(mPhotoList);
    return true;
}

bool CPelloraDlg::SaveProjectFromPanel()
{
    ProjectSettings settings;
    PanelToSettings(settings);
    return settings.Save(ProjectPath());
}

void CPelloraDlg::ShowWarnings(const QStringList& lines)
{
    if (!lines.isEmpty()) {
        mStatus->setText(lines.join(QLatin1Char('\n')));
    }
}

QStringList CPelloraDlg::Lines(const std::vector<std::string>& lines)
{
    QStringList texts;
    for (const std::string& line : lines) {
        texts << QString::fromStdString(line);
    }
    return texts;
}

// --- application commands -------------------------------------------------------------------

void CPelloraDlg::DeleteCache()
{
    const std::u16string folder = GetDataFolder();
    if (!IsExistingFolder(folder)) {
        return;
    }
    try {
        RemoveFolderTree(folder);
        Views::ShowMessage(this, QStringLiteral("Cache cleared!\nPlease close Pellora!"),
            QStringLiteral("Information!"), QMessageBox::Warning);
    } catch (const std::runtime_error&) {
        Views::ShowMessage(this, QStringLiteral("Cannot clear cache!"), QStringLiteral("Error!"), QMessageBox::Critical);
    }
}

void CPelloraDlg::Support()
{
    CAboutDlg about(this);
    about.exec();
}

void CPelloraDlg::keyPressEvent(QKeyEvent* event)
{
    // Escape would close the whole program, as the window is a dialog; Delete belongs to the strip.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPelloraDlg::reject()
{
    mAddPhotoTimer.stop();
    Stop();
    // After "Delete Cache" the data folder stays gone until the next start, as the user was told.
    if (IsExistingFolder(GetDataFolder()) && !SaveProjectFromPanel()) {
        Views::ShowMessage(this, QStringLiteral("The project could not be saved in %1.").arg(Text(ProjectPath())),
            QStringLiteral("Error"), QMessageBox::Critical);
    }
    QDialog::reject();
}

} // namespace Pellora::Desktop
