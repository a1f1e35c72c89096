#include "views/ExportDialogs.h"

#include <QDBusInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace Pellora::Views {

EncodeProgressDlg::EncodeProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Saving As Video"));
    setMinimumWidth(380);
    mProgressBar = new QProgressBar(this);
    mProgressBar->setRange(0, 0);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Encoding..."), this));
    layout->addWidget(mProgressBar);
    layout->addLayout(buttons);
}

void EncodeProgressDlg::SetProgress(int framesDone, int framesTotal)
{
    mProgressBar->setRange(0, framesTotal);
    mProgressBar->setValue(framesDone);
}

VideoReadyDlg::VideoReadyDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Video is ready"));
    setMinimumWidth(340);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const std::pair<const char*, Choice> kButtons[] = {{"Watch", Watch}, {"Locate", Locate}, {"Close", Close}};
    for (const auto& [text, choice] : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        connect(button, &QPushButton::clicked, this, [this, value = choice] { Choose(value); });
        buttons->addWidget(button);
    }
    auto* label = new QLabel(QStringLiteral("Video is ready!\nWatch or Open File Explorer"), this);
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(buttons);
}

void VideoReadyDlg::Choose(int choice)
{
    mChoice = choice;
    accept();
}

void OpenVideoChoice(int choice, const QString& videoPath)
{
    if (choice == VideoReadyDlg::Watch) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(videoPath));
        return;
    }
    if (choice != VideoReadyDlg::Locate) {
        return;
    }
    // File managers that implement the freedesktop interface open the folder with the file selected.
    QDBusInterface fileManager(QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"), QStringLiteral("org.freedesktop.FileManager1"));
    if (fileManager.isValid()) {
        const QDBusMessage reply = fileManager.call(
            QStringLiteral("ShowItems"), QStringList{QUrl::fromLocalFile(videoPath).toString()}, QString());
        if (reply.type() != QDBusMessage::ErrorMessage) {
            return;
        }
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(videoPath).absolutePath()));
}

} // namespace Pellora::Views
