#include "RenderCommands.h"
#include "RenderOptions.h"
#include "VersionCommand.h"

#include <QGuiApplication>

#include "app/services/NumericLocale.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

// No window is ever shown: Qt is only needed for pictures and fonts. Batch jobs and services often
// run without a session's runtime folder; give Qt a private one so it does not warn on every run.
void PrepareHeadlessQt()
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        const std::string folder = "/tmp/pellora-runtime-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        struct stat info {};
        if (lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()) {
            chmod(folder.c_str(), 0700);
            setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        }
    }
}

}

int main(int argc, char* argv[])
{
    PrepareHeadlessQt();
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName("pellora-render");
    QCoreApplication::setApplicationVersion(PELLORA_VERSION);
    // Qt adopts the user's locale; numbers in project files and scripts always use ".".
    SetNumericLocale();
    const auto parsed = Pellora::Render::ParseOptions(QCoreApplication::arguments());
    if (!parsed.error.empty()) {
        std::cerr << "pellora-render: " << parsed.error << "\n";
        return 2;
    }
    if (parsed.options.help) {
        std::cout << Pellora::Render::HelpText(Pellora::Render::CommandsHelp());
        return 0;
    }
    if (parsed.options.version) {
        return Pellora::Render::PrintVersion();
    }
    return Pellora::Render::RunCommand(parsed.options);
}
