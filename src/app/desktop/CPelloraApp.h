#pragma once

#include <QApplication>

#include <memory>

class QLocalServer;

namespace Pellora::Desktop {

class CPelloraDlg;

// The application object: one running copy per user, the numeric locale, the main window.
class CPelloraApp : public QApplication {
    Q_OBJECT

public:
    static constexpr const char* kInstanceName = "CPelloraAppApp";

    CPelloraApp(int& argc, char** argv);
    ~CPelloraApp() override;

    // Runs the main window; a second copy tells the first to come to the front and returns 0
    // without a window of its own.
    int InitInstance();

    // The per-user name of the single-instance socket.
    static QString InstanceSocketName();

private:
    bool TellRunningCopy();
    bool ListenForOthers();
    void RaiseMainWindow();

    std::unique_ptr<QLocalServer> mServer;
    CPelloraDlg* mMainWindow = nullptr;
};

} // namespace Pellora::Desktop
