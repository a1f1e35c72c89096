#include "RenderCommands.h"

#include "DemoCommand.h"
#include "ExportCommand.h"
#include "ShowReport.h"
#include "WarningLines.h"

#include "OutputTarget.h"

#include "framework/GameException.h"
#include "project/Paths.h"
#include "show/RenderingGame.h"

#include <QImage>
#include <QImageWriter>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <stdexcept>

namespace Pellora::Render {

namespace {

// A failure that ends the command with one line on stderr.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::filesystem::path ProjectPath(const RenderOptions& options)
{
    if (!options.project.empty()) {
        return options.project;
    }
    return Rendering::RenderingGame::DefaultProjectPath();
}

// The project as pellora-render will show it: the file is read here first so that an unreadable
// one is reported instead of rendering an empty show.
ProjectSettings ReadProject(const std::filesystem::path& path)
{
    ProjectSettings project;
    const auto result = project.TryLoad(FromPath(path));
    if (result != ProjectLoadResult::Loaded) {
        throw CommandError("cannot read project file \"" + path.string() + "\": " + DescribeLoadResult(result));
    }
    return project;
}

std::unique_ptr<Rendering::RenderingGame> PrepareShow(const RenderOptions& options)
{
    const auto path = ProjectPath(options);
    auto project = ReadProject(path);
    int width = project.m_ScreenWidth;
    int height = project.m_ScreenHeight;
    if (options.size) {
        std::tie(width, height) = *options.size;
    }
    if (width < 1 || height < 1) {
        throw CommandError("the project's frame size " + std::to_string(width) + "x" + std::to_string(height) +
            " is not usable; give one with --size");
    }
    auto game = std::make_unique<Rendering::RenderingGame>(
        [width, height](std::uint32_t& w, std::uint32_t& h) {
            w = static_cast<std::uint32_t>(width);
            h = static_cast<std::uint32_t>(height);
        },
        Library::TargetKind::ExportWindow);
    if (options.seed) {
        game->SetSeed(*options.seed);
    }
    game->SetProjectPath(path);
    game->SetProject(std::move(project));
    game->CreateSizedObjects();
    game->Prepare();
    PrintWarnings(game->Warnings());
    return game;
}

int PrintTimeline(const RenderOptions& options)
{
    const auto game = PrepareShow(options);
    std::cout << QJsonDocument(DescribeShow(*game)).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

void CheckStillTarget(const RenderOptions& options, const Rendering::RenderingGame& game)
{
    const auto refusal = Export::CheckOutputTarget(options.out, Export::OutputKind::Picture,
        Export::ShowInputs(game.Project(), ProjectPath(options)), options.overwrite);
    if (!refusal.empty()) {
        throw CommandError(refusal);
    }
}

// Written beside the file (where its links lead) and renamed over it once complete, so a failure
// keeps what was there.
void SavePng(const QImage& picture, const std::filesystem::path& path)
{
    QSaveFile file(QString::fromStdString(FollowLinks(path).string()));
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(picture) || !file.commit()) {
        const QString reason = writer.error() != QImageWriter::UnknownError ? writer.errorString() : file.errorString();
        throw CommandError("cannot write \"" + path.string() + "\": " + reason.toStdString());
    }
}

// The picture the export writes at that time: the export clock advances by 1 / fps per frame from
// the show's start, and some components (the background's drift, the transition shown last) keep
// state from frame to frame, so every frame up to that one is run.
int RenderStill(const RenderOptions& options)
{
    if (options.out.empty()) {
        throw CommandError("--frame needs --out FILE.png");
    }
    const auto game = PrepareShow(options);
    CheckStillTarget(options, *game);
    const int fps = std::max(game->Project().m_FPS, 1);
    const auto duration = std::clamp(game->Project().m_Duration, Rendering::MinShowDuration, Rendering::MaxShowDuration);
    if (*options.frameSeconds > duration) {
        throw CommandError("--frame " + std::to_string(*options.frameSeconds) + " lies after the end of the " +
            std::to_string(duration) + "-second show");
    }
    const auto frames = std::max<long long>(1, std::llround(*options.frameSeconds * fps));
    game->Clock().fixedStep = 1.0 / fps;
    for (long long i = 0; i < frames; ++i) {
        game->RunFrame();
    }
    bool lastFrame = false;
    game->CaptureFrame(lastFrame);
    const QImage bottomUp(game->CapturedFrame().data(), static_cast<int>(game->ScreenWidth()),
        static_cast<int>(game->ScreenHeight()), QImage::Format_RGB32);
    SavePng(bottomUp.mirrored(), options.out);
    return 0;
}

const Command Commands[] = {
    {"pellora-render [--project FILE] --timeline [--seed N]",
        [](const RenderOptions& o) { return o.timeline; }, PrintTimeline},
    {"pellora-render [--project FILE] --frame SECONDS --out FILE.png [-y] [--size WxH] [--seed N]",
        [](const RenderOptions& o) { return o.frameSeconds.has_value(); }, RenderStill},
    {"pellora-render --demo FILE.mp4 [-y] [export options]", [](const RenderOptions& o) { return !o.demo.empty(); },
        ExportDemo},
    {"pellora-render [--project FILE] --out FILE.mp4 [-y] [-q] [--size WxH] [--fps N] [--codec h264|hevc]\n"
     "                [--bitrate N] [--rate-mode quality|vbr|cbr] [--quality N] [--speed N] [--threads N]\n"
     "                [--hardware on|off] [--seed N]",
        [](const RenderOptions& o) { return !o.out.empty(); }, ExportVideo},
};

} // namespace

int RunCommand(const RenderOptions& options)
{
    for (const auto& command : Commands) {
        if (!command.Selected(options)) {
            continue;
        }
        try {
            return command.Run(options);
        } catch (const std::exception& e) {
            std::cerr << "pellora-render: " << e.what() << "\n";
        } catch (const Library::ComException& e) {
            std::cerr << "pellora-render: " << e.message << "\n";
        }
        return 1;
    }
    std::cerr << "pellora-render: nothing to do (see --help)\n";
    return 2;
}

std::string CommandsHelp()
{
    std::string text;
    for (const auto& command : Commands) {
        text += "  " + std::string(command.usage) + "\n";
    }
    return text;
}

} // namespace Pellora::Render
