// Save as Video: the export settings dialog, the progress dialog and the ready dialog.
#include "app/desktop/CPelloraDlg.h"

#include "ExportSession.h"
#include "project/Paths.h"
#include "views/EncoderDialog.h"
#include "views/ExportDialogs.h"
#include "views/MessageBox.h"

#include <QLabel>
#include <QLineEdit>

namespace Pellora::Desktop {

void CPelloraDlg::SaveAsVideo()
{
    ProjectSettings settings;
    settings.Load(ProjectPath());
    if (mPhotoList.empty()) {
        Views::ShowMessage(this, QStringLiteral("Not enough photos"), QStringLiteral("Pellora Beta"));
        return;
    }
    PanelToSettings(settings);
    if (!settings.Save(ProjectPath())) {
        Views::ShowMessage(this, QStringLiteral("The project could not be saved, so the video cannot be made."),
            QStringLiteral("Error"), QMessageBox::Critical);
        return;
    }
    Stop();
    Views::EncoderDialog dialog(this);
    dialog.SetProjectPath(ToPath(ProjectPath()));
    dialog.SetMusicPath(ToPath(mMusicEdit->text().toStdU16String()));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    mVideoPath = FromPath(dialog.GetOutputPath());
    RunExport(dialog.TakeSession());
}

void CPelloraDlg::RunExport(std::unique_ptr<Export::ExportSession> session)
{
    if (!session) {
        return;
    }
    mExportSession = std::move(session);
    Views::EncodeProgressDlg progress(this);
    mProgressDlg = &progress;
    mExportTimer.start();
    const bool finished = progress.exec() == QDialog::Accepted;
    mProgressDlg = nullptr;
    mExportTimer.stop();
    if (!finished) {
        // Cancel: the encoder closes the file with the frames written so far, which plays.
        mExportSession->Cancel();
        mExportSession->Wait();
        mStatus->setText(QStringLiteral("Cancelled: %1 holds the first %2 of %3 frames.")
                             .arg(QString::fromStdU16String(mVideoPath))
                             .arg(mExportSession->Progress().FramesDone.load())
                             .arg(mExportSession->Progress().FramesTotal.load()));
        mExportSession.reset();
        return;
    }
    const std::unique_ptr<Export::ExportSession> done = std::move(mExportSession);
    if (!done->Succeeded() || !done->Progress().VideoEncoded) {
        // The target file is untouched: the encoder writes under a temporary name until the end.
        const QString reason = done->Succeeded() ? QStringLiteral("The show ended before its last frame.")
                                                 : QString::fromStdString(done->ErrorMessage());
        Views::ShowMessage(this, QStringLiteral("The video could not be saved:\n%1").arg(reason),
            QStringLiteral("Error"), QMessageBox::Critical);
        return;
    }
    Views::VideoReadyDlg ready(this);
    ready.exec();
    Views::OpenVideoChoice(ready.GetChoice(), QString::fromStdU16String(mVideoPath));
}

void CPelloraDlg::OnExportTick()
{
    mExportTimer.stop();
    if (!mExportSession || !mProgressDlg) {
        return;
    }
    const Export::ExportProgress& progress = mExportSession->Progress();
    if (mExportSession->Finished()) {
        mProgressDlg->SetProgress(progress.FramesTotal, progress.FramesTotal);
        mProgressDlg->accept();
        return;
    }
    mProgressDlg->SetProgress(progress.FramesDone, progress.FramesTotal);
    mExportTimer.start();
}

} // namespace Pellora::Desktop
