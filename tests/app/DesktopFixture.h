#pragma once

// A main window over a clean data folder, with generated photos in a temporary folder.

#include "WidgetTestSupport.h"
#include "app/desktop/CPelloraDlg.h"
#include "app/services/DataFolder.h"
#include "project/Paths.h"

#include <QColor>
#include <QImage>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>

namespace Pellora::Testing {

class DesktopFixture {
public:
    DesktopFixture()
    {
        UseOwnDataHome();
        // The data folder is made once per process; a test may have removed it ("Delete Cache").
        const std::filesystem::path data = ToPath(GetDataFolder());
        std::filesystem::remove_all(data);
        std::filesystem::create_directories(data);
    }

    QString AddPhotoFile(const QString& name, int width, int height, QColor colour = QColor(200, 80, 40)) const
    {
        QImage photo(width, height, QImage::Format_RGB32);
        photo.fill(colour);
        const QString path = mPhotos.filePath(name);
        photo.save(path);
        return path;
    }

    static std::u16string ProjectPath() { return Desktop::CPelloraDlg::ProjectPath(); }

    Desktop::CPelloraDlg& OpenWindow()
    {
        mWindow = std::make_unique<Desktop::CPelloraDlg>();
        mWindow->resize(900, 560);
        mWindow->show();
        return *mWindow;
    }

    // A window holding a wide, a tall and a square photo.
    Desktop::CPelloraDlg& WindowWithPhotos()
    {
        Desktop::CPelloraDlg& window = OpenWindow();
        window.AddPhotos({AddPhotoFile("a.png", 320, 200, Qt::red), AddPhotoFile("b.png", 200, 320, Qt::green),
            AddPhotoFile("c.png", 300, 300, Qt::blue)});
        return window;
    }

protected:
    // CTest runs the cases of one program side by side, so each process gets its own data folder
    // below the one the test helper chose.
    static void UseOwnDataHome()
    {
        static const bool done = [] {
            const QByteArray home = qgetenv("XDG_DATA_HOME") + "/" + QByteArray::number(QCoreApplication::applicationPid());
            qputenv("XDG_DATA_HOME", home);
            return true;
        }();
        (void)done;
    }

    UsesApp mApp;
    CapturedMessages mMessages;
    QTemporaryDir mPhotos;
    std::unique_ptr<Desktop::CPelloraDlg> mWindow;
};

} // namespace Pellora::Testing
