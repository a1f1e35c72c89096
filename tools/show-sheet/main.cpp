// pellora-show-sheet OUTPUT.png (--demo | --project FILE) [--size WxH] [--seed N] [--at T1,T2,...]
//
// Runs a show frame by frame as the export does and puts the frames at the chosen show times into
// one PNG grid, each labelled with its time. Without --at the times are picked from the show: the
// title, the middle of every photo slot (at most eight), the final collage, "The End" and each
// end-credit block.

#include "DemoContent.h"

#include "project/ProjectSettings.h"
#include "project/Paths.h"
#include "show/RenderingGame.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr int Columns = 4;
constexpr int LabelHeight = 22;

struct SheetOptions {
    QString out;
    std::filesystem::path project;
    bool demo = false;
    int width = 480;
    int height = 270;
    std::uint32_t seed = 1;
    std::vector<double> times;
};

SheetOptions ParseOptions(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Renders a show at chosen times into one PNG grid.");
    parser.addHelpOption();
    parser.addPositionalArgument("output", "The PNG file to write.");
    const QCommandLineOption demo("demo", "Show the demo show (written to a temporary folder).");
    const QCommandLineOption project("project", "The project file to show.", "FILE");
    const QCommandLineOption size("size", "Size of each frame (default 480x270).", "WxH", "480x270");
    const QCommandLineOption seed("seed", "Seed of the show's random choices (default 1).", "N", "1");
    const QCommandLineOption at("at", "Show times in seconds, separated by commas.", "TIMES");
    parser.addOptions({demo, project, size, seed, at});
    parser.process(app);
    SheetOptions options;
    if (parser.positionalArguments().size() != 1 || parser.isSet(demo) == parser.isSet(project)) {
        parser.showHelp(2);
    }
    options.out = parser.positionalArguments().front();
    options.demo = parser.isSet(demo);
    options.project = parser.value(project).toStdString();
    const auto sides = parser.value(size).split('x');
    if (sides.size() == 2) {
        options.width = std::max(sides[0].toInt(), 16);
        options.height = std::max(sides[1].toInt(), 16);
    }
    options.seed = parser.value(seed).toUInt();
    for (const auto& text : parser.value(at).split(',', Qt::SkipEmptyParts)) {
        options.times.push_back(text.toDouble());
    }
    return options;
}

std::vector<double> ShowTimes(const Rendering::RenderingGame& game)
{
    const double showLength = game.ShowLength();
    std::vector<double> times = {1.0, 3.1, 3.4};
    const auto& timelineSlots = game.Timeline();
    const std::size_t step = std::max<std::size_t>(1, (timelineSlots.size() + 7) / 8);
    for (std::size_t i = 0; i < timelineSlots.size(); i += step) {
        times.push_back(0.5 * (timelineSlots[i].startTime + timelineSlots[i].endTime));
    }
    times.push_back(showLength - 2.6);
    times.push_back(showLength - 1.2);
    std::vector<std::size_t> credits;
    game.Project().GetEndCreditIndexes(credits);
    const std::size_t blocks = std::min<std::size_t>(credits.size(), 3);
    for (std::size_t k = 0; k < blocks; ++k) {
        times.push_back(showLength + 1.4 + 3.6 * static_cast<double>(k));
    }
    const double end = static_cast<double>(std::max(game.Project().m_Duration, 20u));
    std::erase_if(times, [end](double t) { return t < 0.0 || t >= end; });
    std::sort(times.begin(), times.end());
    return times;
}

QImage Frame(const Rendering::RenderingGame& game)
{
    const QImage bottomUp(game.CapturedFrame().data(), static_cast<int>(game.ScreenWidth()),
        static_cast<int>(game.ScreenHeight()), QImage::Format_RGB32);
    return bottomUp.mirrored();
}

// Every frame up to the last time is run, since some components keep state from frame to frame.
std::vector<QImage> RenderFrames(Rendering::RenderingGame& game, const std::vector<double>& times)
{
    const int fps = std::max(game.Project().m_FPS, 1);
    game.Clock().fixedStep = 1.0 / fps;
    std::vector<QImage> frames;
    long long done = 0;
    for (const double t : times) {
        const auto frame = std::max<long long>(1, std::llround(t * fps));
        for (; done < frame; ++done) {
            game.RunFrame();
        }
        bool last = false;
        game.CaptureFrame(last);
        frames.push_back(Frame(game));
    }
    return frames;
}

QImage Compose(const std::vector<QImage>& frames, const std::vector<double>& times, int width, int height)
{
    const int rows = (static_cast<int>(frames.size()) + Columns - 1) / Columns;
    QImage sheet(Columns * width, rows * (height + LabelHeight), QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 44));
    QPainter painter(&sheet);
    painter.setPen(Qt::white);
    painter.setFont(QFont("DejaVu Sans", 11));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int x = static_cast<int>(i % Columns) * width;
        const int y = static_cast<int>(i / Columns) * (height + LabelHeight);
        painter.drawText(QRect(x + 6, y, width - 6, LabelHeight), Qt::AlignVCenter | Qt::AlignLeft,
            QString("t = %1 s").arg(times[i], 0, 'f', 2));
        painter.drawImage(x, y + LabelHeight, frames[i]);
    }
    return sheet;
}

int Run(const SheetOptions& options)
{
    QTemporaryDir demoFolder;
    auto projectPath = options.project;
    if (options.demo) {
        projectPath = Pellora::Render::WriteDemoShow(demoFolder.path().toStdString());
    }
    ProjectSettings project;
    if (project.TryLoad(FromPath(projectPath)) != ProjectLoadResult::Loaded) {
        std::cerr << "pellora-show-sheet: cannot read project file " << projectPath << "\n";
        return 1;
    }
    const int width = options.width;
    const int height = options.height;
    Rendering::RenderingGame game(
        [width, height](std::uint32_t& w, std::uint32_t& h) {
            w = static_cast<std::uint32_t>(width);
            h = static_cast<std::uint32_t>(height);
        },
        Library::TargetKind::ExportWindow);
    game.SetSeed(options.seed);
    game.SetProjectPath(projectPath);
    game.SetProject(std::move(project));
    game.CreateSizedObjects();
    game.Prepare();
    const auto times = options.times.empty() ? ShowTimes(game) : options.times;
    const auto frames = RenderFrames(game, times);
    if (!Compose(frames, times, width, height).save(options.out, "png")) {
        std::cerr << "pellora-show-sheet: cannot write " << options.out.toStdString() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const QGuiApplication app(argc, argv);
    try {
        return Run(ParseOptions(app));
    } catch (const std::exception& error) {
        std::cerr << "pellora-show-sheet: " << error.what() << "\n";
        return 1;
    }
}
