#include "app/desktop/CPelloraApp.h"

#include "app/desktop/CPelloraDlg.h"
#include "app/services/DataFolder.h"
#include "app/services/NumericLocale.h"
#include "views/MessageBox.h"

#include <QIcon>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <iostream>

namespace Pellora::Desktop {

namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");
const QString kAlreadyRunning = QStringLiteral("Another instance of Pellora is already running!");

} // namespace

CPelloraApp::CPelloraApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Pellora"));
    setApplicationVersion(QStringLiteral(PELLORA_VERSION));
    setDesktopFileName(QStringLiteral("pellora"));
    setWindowIcon(QIcon(QStringLiteral(":/pellora.png")));
    SetNumericLocale();
}

CPelloraApp::~CPelloraApp() = default;

QString CPelloraApp::InstanceSocketName()
{
    // In the user's runtime folder, so that copies run by other users do not count.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString name = QString::fromLatin1(kInstanceName);
    return runtime.isEmpty() ? name : runtime + QLatin1Char('/') + name;
}

bool CPelloraApp::TellRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(InstanceSocketName());
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return false;
    }
    std::cerr << "pellora: " << kAlreadyRunning.toStdString() << "\n";
    // Nobody could see or answer a message box on the off-screen platform.
    if (platformName() != QLatin1String("offscreen")) {
        Views::ShowMessage(nullptr, kAlreadyRunning, QStringLiteral("Pellora Beta"));
    }
    socket.write(kRaiseRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool CPelloraApp::ListenForOthers()
{
    mServer = std::make_unique<QLocalServer>();
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!mServer->listen(InstanceSocketName())) {
        // Nobody answered, so the socket file is left over from a copy that crashed.
        QLocalServer::removeServer(InstanceSocketName());
        if (!mServer->listen(InstanceSocketName())) {
            return false;
        }
    }
    connect(mServer.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* other = mServer->nextPendingConnection()) {
            connect(other, &QLocalSocket::readyRead, this, [this, other] {
                if (other->readAll().contains("raise")) {
                    RaiseMainWindow();
                }
            });
            connect(other, &QLocalSocket::disconnected, other, &QObject::deleteLater);
        }
    });
    return true;
}

void CPelloraApp::RaiseMainWindow()
{
    if (mMainWindow != nullptr && mMainWindow->windowTitle().contains(QStringLiteral("Pellora Beta"))) {
        mMainWindow->showNormal();
        mMainWindow->raise();
        mMainWindow->activateWindow();
    }
}

int CPelloraApp::InitInstance()
{
    if (TellRunningCopy()) {
        return 0;
    }
    if (!ListenForOthers()) {
        std::cerr << "pellora: cannot watch for other copies at " << InstanceSocketName().toStdString()
                  << "; going on without\n";
    }
    GetDataFolder();
    CPelloraDlg window;
    mMainWindow = &window;
    window.exec();
    mMainWindow = nullptr;
    return 0;
}

} // namespace Pellora::Desktop
