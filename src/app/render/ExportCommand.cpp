#include "ExportCommand.h"

#include "ProgressDisplay.h"
#include "WarningLines.h"

#include "ExportSession.h"
#include "framework/FactorySingleton.h"
#include "show/RenderingGame.h"

extern "C" {
#include <libavutil/log.h>
}

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <system_error>

namespace Pellora::Render {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written only by the signal handler; lock-free atomics are safe there.
std::atomic<int> gStopSignals{0};
std::atomic<int> gLastStopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnStopSignal(int signal)
{
    gLastStopSignal.store(signal);
    gStopSignals.fetch_add(1);
}

// What shells report for a program ended by the signal.
int SignalExit(int signal)
{
    return 128 + signal;
}

// While it lives, SIGINT (Ctrl-C), SIGTERM (timeout, service managers) and SIGHUP (a closed
// terminal) are only counted; the export's loop acts on them.
class StopSignals {
public:
    StopSignals()
    {
        gStopSignals = 0;
        gLastStopSignal = 0;
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        for (const int signal : kStopSignals) {
            sigaddset(&action.sa_mask, signal);
        }
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
            sigaction(kStopSignals[i], &action, &mPrevious[i]);
        }
    }
    ~StopSignals()
    {
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
            sigaction(kStopSignals[i], &mPrevious[i], nullptr);
        }
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    int Count() const { return gStopSignals.load(); }
    // The exit code for the latest signal; 0 while none came.
    int ExitCode() const { return Count() == 0 ? 0 : SignalExit(gLastStopSignal.load()); }

private:
    struct sigaction mPrevious[std::size(kStopSignals)] {};
};

// A second stop signal: the user wants the program gone now, not a finished file. The part file
// goes, whatever was at the target stays, and the threads are not waited for.
[[noreturn]] void StopAtOnce(Export::ExportSession& session, int exitCode)
{
    const auto part = session.Progress().mPartFile.Get();
    std::error_code ignored;
    const bool removed = !part.empty() && std::filesystem::remove(part, ignored);
    std::cerr << "\npellora-render: stopped at once" << (removed ? "; the unfinished video was removed" : "") << "\n";
    std::_Exit(exitCode);
}

std::string RendererName()
{
    try {
        return Library::FactorySingleton::RendererName();
    } catch (const std::exception&) {
        return "an unknown renderer";
    }
}

int Report(Export::ExportSession& session, int signalExit, bool quiet)
{
    const Export::ExportJob& job = session.Job();
    const auto& progress = session.Progress();
    const int cancelExit = signalExit != 0 ? signalExit : SignalExit(SIGINT);
    if (!session.Succeeded()) {
        std::cerr << "pellora-render: " << session.ErrorMessage() << "\n";
        return progress.ExportCancelled ? cancelExit : 1;
    }
    std::cout << job.mOutputPath.string() << "\n";
    if (!progress.VideoEncoded) {
        std::cerr << "pellora-render: cancelled; " << job.mOutputPath << " holds the first " << progress.FramesDone
                  << " of " << progress.FramesTotal << " frames\n";
        return cancelExit;
    }
    if (!quiet) {
        std::cerr << "pellora-render: wrote " << progress.FramesDone << " frames (" << job.mWidth << "x"
                  << job.mHeight << ", " << job.mFPS << " fps, " << job.mDuration << " s) in " << std::fixed
                  << std::setprecision(1) << session.Timings().mTotal << " s with " << session.EncoderName()
                  << " on " << RendererName() << "\n";
    }
    return 0;
}

} // namespace

Export::ExportJob JobFromOptions(const RenderOptions& options)
{
    Export::ExportJob job;
    job.mProjectPath = options.project.empty() ? Rendering::RenderingGame::DefaultProjectPath() : options.project;
    job.mOutputPath = options.out;
    job.mReplaceExisting = options.overwrite;
    job.mH264 = !options.hevc;
    job.mBitRate = options.bitRate.value_or(job.mBitRate);
    job.mRateMode = options.rateMode.value_or(job.mRateMode);
    job.mQuality = options.quality.value_or(job.mQuality);
    job.mQualityVsSpeed = options.qualityVsSpeed.value_or(job.mQualityVsSpeed);
    job.mWorkerThreads = options.threads.value_or(job.mWorkerThreads);
    job.mHardware = options.hardware.value_or(job.mHardware);
    return job;
}

Export::ShowOverrides OverridesFromOptions(const RenderOptions& options)
{
    return {options.size, options.fps, options.seed};
}

int RunExport(const Export::ExportJob& job, const Export::ShowOverrides& overrides, bool quiet)
{
    // The encoders' statistics and the hardware probes' complaints would bury the progress display;
    // failures reach the user through the export's own message.
    av_log_set_level(AV_LOG_FATAL);
    Export::ExportSession session(job, overrides);
    ProgressDisplay display(std::cerr, isatty(STDERR_FILENO) != 0);
    const StopSignals stops;
    session.Start();
    while (!session.WaitFor(kPollInterval)) {
        if (stops.Count() > 1) {
            StopAtOnce(session, stops.ExitCode());
        }
        if (stops.Count() == 1 && !session.Progress().ExportCancelled) {
            session.Cancel();
            display.Finish();
            std::cerr << "pellora-render: stopping; finishing a video of the frames so far (signal again to stop "
                         "at once)\n";
        }
        if (!quiet) {
            display.Update(session.Progress().FramesDone, session.Progress().FramesTotal);
        }
    }
    if (!quiet) {
        display.Update(session.Progress().FramesDone, session.Progress().FramesTotal);
        display.Finish();
    }
    PrintWarnings(session.Warnings());
    return Report(session, stops.ExitCode(), quiet);
}

int ExportVideo(const RenderOptions& options)
{
    return RunExport(JobFromOptions(options), OverridesFromOptions(options), options.quiet);
}

} // namespace Pellora::Render
