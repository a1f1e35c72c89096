#pragma once

// A main window over a clean data folder, with generated photos in a temporary folder.

#include "WidgetTestSupport.h"
#include "app/desktop/CPelloraDlg.h"
#include "app/services/DataFolder.h"
#include "project/Paths.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>

namespace Pellora::Testing {

class DesktopFixture {
public:
    DesktopFixture()
    {
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

protected:
    UsesApp mApp;
    CapturedMessages mMessages;
    QTemporaryDir mPhotos;
    std::unique_ptr<Desktop::CPelloraDlg> mWindow;
};

} // namespace Pellora::Testing
