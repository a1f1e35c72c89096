// pellora-draw-bench: where one exported frame's time goes on the render thread. Prepares the show
// as the export does, then for each frame runs it as the export does (timed whole, waiting for the
// driver to finish) and repeats each step on its own, again waiting for the driver after each one,
// so that work the driver defers is charged to the step that caused it.
//
//   pellora-draw-bench PROJECT WxH [FRAMES] [FIRST_SECOND]

#include "FrameReadBack.h"

#include "framework/DrawableGameComponent.h"
#include "show/RenderingGame.h"

#include <QGuiApplication>

#include <epoxy/gl.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kFPS = 30;
constexpr std::uint32_t kSeed = 1;

// Milliseconds of CPU time used by all of the process's threads so far; with the driver's own
// threads drawing, this is the figure that competes with the encoder for the cores.
double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// Milliseconds of step, including the driver's deferred work.
double TimedMs(const std::function<void()>& step)
{
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    step();
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string ReadableName(const Library::GameComponent& component)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(typeid(component).name(), nullptr, nullptr, &status), &std::free);
    return status == 0 ? name.get() : typeid(component).name();
}

class StepTotals {
public:
    void Add(const std::string& step, double ms)
    {
        auto& [total, count] = mSteps[step];
        total += ms;
        ++count;
    }
    void Print(int frames) const
    {
        for (const auto& [step, figures] : mSteps) {
            std::printf("%-40s %8.2f ms per frame (%5.2f ms x %d)\n", step.c_str(), figures.first / frames,
                figures.first / figures.second, figures.second);
        }
    }

private:
    std::map<std::string, std::pair<double, int>> mSteps;
};

void TimeSteps(Rendering::RenderingGame& game, Export::FrameReadBack& readBack, StepTotals& totals)
{
    auto& context = game.Context();
    totals.Add("2 clear colour", TimedMs([&] { context.ClearRenderTargetView(game.ColorView(), {0, 0, 0, 1}); }));
    totals.Add("3 clear depth+stencil", TimedMs([&] {
        context.ClearDepthStencilView(game.DepthView(), Library::ClearDepth | Library::ClearStencil, 1.0f, 0);
    }));
    for (const auto& component : game.Components()) {
        auto* drawable = component->As<Library::DrawableGameComponent>();
        if (drawable != nullptr && drawable->IsShown()) {
            totals.Add("4 draw " + ReadableName(*drawable), TimedMs([&] { drawable->Render(game.GetFrameTime()); }));
        }
    }
    totals.Add("5 present (resolve)", TimedMs([&] { game.Present(); }));
    totals.Add("6 read back (copy, map)", TimedMs([&] {
        readBack.Queue();
        readBack.MapOldest();
        readBack.ReleaseOldest();
    }));
}

int Run(const std::string& project, const std::string& size, int frames, double firstSecond)
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (std::sscanf(size.c_str(), "%ux%u", &width, &height) != 2 || frames <= 0) {
        std::fprintf(stderr, "pellora-draw-bench: bad size or frame count\n");
        return 2;
    }
    Rendering::RenderingGame game(
        [width, height](std::uint32_t& w, std::uint32_t& h) {
            w = width;
            h = height;
        },
        Library::TargetKind::ExportWindow);
    game.SetSeed(kSeed);
    game.SetProjectPath(project);
    game.CreateSizedObjects();
    game.Prepare();
    game.Clock().fixedStep = 1.0 / kFPS;
    for (int skipped = 0; skipped < static_cast<int>(firstSecond * kFPS); ++skipped) {
        game.RunFrame();
    }
    Export::FrameReadBack readBack(game, 1);
    StepTotals totals;
    for (int frame = 0; frame < frames; ++frame) {
        const double cpuBefore = ProcessCpuMs();
        totals.Add("1 whole frame (run, copy, map)", TimedMs([&] {
            game.RunFrame();
            readBack.Queue();
            readBack.MapOldest();
            readBack.ReleaseOldest();
        }));
        totals.Add("1 whole frame, CPU time of all threads", ProcessCpuMs() - cpuBefore);
        TimeSteps(game, readBack, totals);
    }
    totals.Print(frames);
    game.ReleaseAll();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: pellora-draw-bench PROJECT WxH [FRAMES] [FIRST_SECOND]\n");
        return 2;
    }
    const int frames = argc > 3 ? std::atoi(argv[3]) : 60;
    const double firstSecond = argc > 4 ? std::atof(argv[4]) : 0.0;
    return Run(argv[1], argv[2], frames, firstSecond);
}
