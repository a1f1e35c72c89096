#include "RenderCommands.h"
#include "RenderOptions.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // No window is ever shown: Qt is only needed for pictures and fonts.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = Pellora::Render::ParseOptions(args);
    if (!parsed.error.empty()) {
        std::cerr << "pellora-render: " << parsed.error << "\n";
        return 2;
    }
    if (parsed.options.help) {
        std::cout << "Usage:\n"
                  << Pellora::Render::CommandsHelp() << "\nOptions:\n"
                  << Pellora::Render::OptionsHelp();
        return 0;
    }
    QGuiApplication app(argc, argv);
    return Pellora::Render::RunCommand(parsed.options);
}
