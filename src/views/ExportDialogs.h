#pragma once

#include <QDialog>

class QProgressBar;

namespace Pellora::Views {

// "Saving As Video": the export's progress bar with a Cancel button. The main window polls the
// export and moves the bar; Cancel rejects the dialog.
class EncodeProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit EncodeProgressDlg(QWidget* parent = nullptr);

    void SetProgress(int framesDone, int framesTotal);
    QProgressBar* ProgressBar() const { return mProgressBar; }

private:
    QProgressBar* mProgressBar = nullptr;
};

// "Video is ready": Watch, Locate or Close; each ends the dialog with OK and leaves its choice.
class VideoReadyDlg : public QDialog {
    Q_OBJECT

public:
    enum Choice { None = -1, Watch = 0, Locate = 1, Close = 2 };

    explicit VideoReadyDlg(QWidget* parent = nullptr);

    int GetChoice() const { return mChoice; }
    void Choose(int choice);

private:
    int mChoice = None;
};

// Watch opens the video with the desktop's player; Locate opens its folder, with the video selected
// where the file manager offers that; any other choice opens nothing.
void OpenVideoChoice(int choice, const QString& videoPath);

} // namespace Pellora::Views
