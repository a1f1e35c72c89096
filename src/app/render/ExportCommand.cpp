#include "ExportCommand.h"

#include "ProgressDisplay.h"
#include "WarningLines.h"

#include "ExportSession.h"
#include "show/RenderingGame.h"

extern "C" {
#include <libavutil/log.h>
}

#include <unistd.h>

#include <csignal>
#include <iomanip>
#include <iostream>

namespace Pellora::Render {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(200);
constexpr int kCancelledExit = 130; // what shells report for a program ended by Ctrl-C

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int)
{
    gInterrupted = 1;
}

// Turns the first Ctrl-C into a cancel request for as long as it lives; a second one ends the
// program the usual way.
class InterruptWatch {
public:
    InterruptWatch()
    {
        gInterrupted = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &mPrevious);
    }
    ~InterruptWatch() { sigaction(SIGINT, &mPrevious, nullptr); }
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    bool Interrupted() const { return gInterrupted != 0; }

private:
    struct sigaction mPrevious {};
};

int Report(Export::ExportSession& session)
{
    const Export::ExportJob& job = session.Job();
    const auto& progress = session.Progress();
    if (!session.Succeeded()) {
        std::cerr << "pellora-render: " << session.ErrorMessage() << "\n";
        return progress.ExportCancelled ? kCancelledExit : 1;
    }
    std::cout << job.mOutputPath.string() << "\n";
    if (!progress.VideoEncoded) {
        std::cerr << "pellora-render: cancelled; " << job.mOutputPath << " holds the first " << progress.FramesDone
                  << " of " << progress.FramesTotal << " frames\n";
        return kCancelledExit;
    }
    std::cerr << "pellora-render: wrote " << progress.FramesDone << " frames (" << job.mWidth << "x" << job.mHeight
              << ", " << job.mFPS << " fps, " << job.mDuration << " s) in " << std::fixed << std::setprecision(1)
              << session.Timings().mTotal << " s\n";
    return 0;
}

} // namespace

Export::ExportJob JobFromOptions(const RenderOptions& options)
{
    Export::ExportJob job;
    job.mProjectPath = options.project.empty() ? Rendering::RenderingGame::DefaultProjectPath() : options.project;
    job.mOutputPath = options.out;
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

int RunExport(const Export::ExportJob& job, const Export::ShowOverrides& overrides)
{
    // The encoders' statistics and the hardware probes' complaints would bury the progress display;
    // failures reach the user through the export's own message.
    av_log_set_level(AV_LOG_FATAL);
    Export::ExportSession session(job, overrides);
    ProgressDisplay display(std::cerr, isatty(STDERR_FILENO) != 0);
    const InterruptWatch interrupt;
    session.Start();
    while (!session.WaitFor(kPollInterval)) {
        if (interrupt.Interrupted()) {
            session.Cancel();
        }
        display.Update(session.Progress().FramesDone, session.Progress().FramesTotal);
    }
    display.Update(session.Progress().FramesDone, session.Progress().FramesTotal);
    display.Finish();
    PrintWarnings(session.Warnings());
    return Report(session);
}

int ExportVideo(const RenderOptions& options)
{
    return RunExport(JobFromOptions(options), OverridesFromOptions(options));
}

} // namespace Pellora::Render
