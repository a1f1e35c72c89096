// pellora-screenshots FOLDER: PNG pictures of the main window (empty, with photos, previewing) and of
// every dialog. The data folder is redirected to a temporary folder, so the user's project stays as
// it is. Run under QT_SCALE_FACTOR=1.5 for the 144 DPI pictures.
#include "app/desktop/AboutDlg.h"
#include "app/desktop/CPelloraDlg.h"
#include "views/DXStatic.h"
#include "views/EncoderDialog.h"
#include "views/ExportDialogs.h"
#include "views/CircleDlg.h"
#include "views/CircleImageStatic.h"
#include "views/EndCreditDlg.h"
#include "views/PhotoScrollView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <functional>
#include <iostream>

namespace {

QString MakePhoto(const QDir& folder, int index)
{
    const bool portrait = index % 3 == 1;
    QImage photo(portrait ? 600 : 800, portrait ? 800 : 500, QImage::Format_RGB32);
    const QColor base = QColor::fromHsv((index * 47) % 360, 160, 220);
    QPainter painter(&photo);
    QLinearGradient gradient(0, 0, photo.width(), photo.height());
    gradient.setColorAt(0, base.lighter(140));
    gradient.setColorAt(1, base.darker(180));
    painter.fillRect(photo.rect(), gradient);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(photo.height() / 3);
    painter.setFont(font);
    painter.drawText(photo.rect(), Qt::AlignCenter, QString::number(index + 1));
    painter.end();
    const QString path = folder.filePath(QStringLiteral("photo%1.jpg").arg(index + 1, 2, 10, QLatin1Char('0')));
    photo.save(path, "JPEG", 90);
    return path;
}

void Settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

void Save(QWidget& widget, const QDir& out, const QString& name)
{
    widget.show();
    Settle(150);
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::cerr << "cannot write " << path.toStdString() << "\n";
    }
    std::cout << path.toStdString() << "\n";
}

void SaveEndCreditDlg(QWidget& window, const QDir& out, const QString& name, const QString& photo, const char16_t* text)
{
    Pellora::Views::EndCreditDlg dialog(&window);
    dialog.SetPhotoPath(photo.toStdU16String());
    dialog.SetRecord({photo.toStdU16String(), u"DejaVu Serif", text, true});
    Save(dialog, out, name);
}

void SaveCircleDlg(
    QWidget& window, const QDir& out, const QString& name, const QString& photo, std::vector<CirclePoint> points)
{
    Pellora::Views::CircleDlg dialog(&window);
    dialog.SetPhotoPath(photo.toStdU16String());
    dialog.SetPoints(points);
    dialog.show();
    // The ring that follows the mouse, between the two spots.
    Pellora::Views::CircleImageStatic& preview = *dialog.Preview();
    const QPoint hover = (Pellora::Views::CirclePointToSpot(points[0], preview.Placement())
                             + Pellora::Views::CirclePointToSpot(points[1], preview.Placement()))
        / 2;
    QMouseEvent move(QEvent::MouseMove, hover, preview.mapToGlobal(hover), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&preview, &move);
    Save(dialog, out, name);
}

// Answers the next modal dialog of this kind once it is open, as a person would.
template <class Dialog>
void AnswerNextDialog(std::function<void(Dialog&)> answer)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            answer(*dialog);
        }
    });
    poll->start();
}

// Gives the selected photo its placeholder end credit and two circle centres through the window's buttons.
void MarkSelectedPhoto(Pellora::Desktop::CPelloraDlg& window)
{
    AnswerNextDialog<Pellora::Views::EndCreditDlg>([](auto& dialog) { dialog.OkButton()->click(); });
    window.AddEndCreditsButton()->click();
    AnswerNextDialog<Pellora::Views::CircleDlg>([](auto& dialog) {
        const auto& placement = dialog.Preview()->Placement();
        for (const CirclePoint point : {CirclePoint{0.3f, 0.2f}, CirclePoint{0.7f, 0.4f}}) {
            const QPoint spot = Pellora::Views::CirclePointToSpot(point, placement);
            QMouseEvent press(QEvent::MouseButtonPress, spot, dialog.Preview()->mapToGlobal(spot), Qt::LeftButton,
                Qt::LeftButton, Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, spot, dialog.Preview()->mapToGlobal(spot), Qt::LeftButton,
                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(dialog.Preview(), &press);
            QApplication::sendEvent(dialog.Preview(), &release);
        }
        dialog.OkButton()->click();
    });
    window.AddCirclesButton()->click();
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: pellora-screenshots FOLDER\n";
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    const QString suffix = QStringLiteral("-%1dpi").arg(qRound(96 * app.devicePixelRatio()));

    Pellora::Desktop::CPelloraDlg window;
    Save(window, out, QStringLiteral("main-empty") + suffix);

    QDir photos(data.path());
    QStringList paths;
    for (int i = 0; i < 12; ++i) {
        paths << MakePhoto(photos, i);
    }
    window.AddPhotos(paths);
    window.StripView()->SelectAt(QPoint(window.StripView()->CellSize() + 10, 10));
    MarkSelectedPhoto(window);
    window.StripView()->SelectAt(QPoint(window.StripView()->CellSize() * 2 + 10, 10));
    Save(window, out, QStringLiteral("main-photos") + suffix);

    window.Play();
    QElapsedTimer waited;
    waited.start();
    // Far enough into the show for the photos to be on screen.
    window.OnTrackbar(Pellora::Desktop::CPelloraDlg::ScrollCode::Other, 75);
    while (window.Preview()->PicturesReceived() < 60 && waited.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    window.Pause();
    Save(window, out, QStringLiteral("main-preview") + suffix);
    window.Stop();

    Pellora::Views::EncoderDialog encoder(&window);
    encoder.ChooseOutput(data.filePath(QStringLiteral("MySavedVideo.mp4")));
    Save(encoder, out, QStringLiteral("export-settings") + suffix);
    encoder.hide();

    Pellora::Views::EncodeProgressDlg progress(&window);
    progress.SetProgress(430, 1200);
    Save(progress, out, QStringLiteral("export-progress") + suffix);
    progress.hide();

    Pellora::Views::VideoReadyDlg ready(&window);
    Save(ready, out, QStringLiteral("video-ready") + suffix);
    ready.hide();

    // paths[0] is a landscape photo, paths[1] a portrait one.
    SaveEndCreditDlg(window, out, QStringLiteral("end-credit-landscape") + suffix, paths[0], u"Directed by\nAlex Morgan");
    SaveEndCreditDlg(window, out, QStringLiteral("end-credit-portrait") + suffix, paths[1], u"Music\nSam Rivera");
    SaveCircleDlg(window, out, QStringLiteral("circles-landscape") + suffix, paths[0], {{0.3f, 0.2f}, {0.7f, 0.4f}});
    SaveCircleDlg(window, out, QStringLiteral("circles-portrait") + suffix, paths[1], {{0.2f, 0.3f}, {0.5f, 0.9f}});

    Pellora::Desktop::CAboutDlg about(&window);
    Save(about, out, QStringLiteral("about") + suffix);
    return 0;
}
