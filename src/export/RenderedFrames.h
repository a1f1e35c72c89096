#pragma once

#include "ExportJob.h"
#include "ExportTimings.h"
#include "FrameHandOver.h"
#include "FrameSource.h"

#include "project/ProjectSettings.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>
#include <thread>

namespace Rendering {
class RenderingGame;
}

namespace Export {

class FrameReadBack;

// The frames of the show, drawn by the export's render thread. The encoder thread owns this source;
// its first NextFrame starts the render thread, which builds its own RenderingGame for the job's
// project, frame size and rate, draws exactly fps × duration frames with a clock step of 1 / fps and
// passes each one over through a FrameHandOver. Render-thread failures come back to the encoder
// thread as an EncoderError from NextFrame, so a show that cannot be drawn never passes for a
// finished video.
class RenderedFrames final : public FrameSource {
public:
    // job, cancelled and timings must outlive the source; cancelled stops the drawing early.
    RenderedFrames(const ExportJob& job, std::optional<uint32_t> seed, const std::atomic<bool>& cancelled,
        ExportTimings& timings);
    ~RenderedFrames() override;
    RenderedFrames(const RenderedFrames&) = delete;
    RenderedFrames& operator=(const RenderedFrames&) = delete;

    // The show draws this project instead of reading the job's project file again; call before the
    // first NextFrame.
    void UseProject(ProjectSettings project) { mProject = std::move(project); }
    // What the show's preparation worked around, one line per problem; complete once NextFrame
    // returned false.
    std::vector<std::string> Warnings();

    // Encoder thread. Frames come top row first.
    bool NextFrame(FrameView& frame) override;
    // Tells the render thread to stop and waits until it has ended.
    void Stop() override;

private:
    void RenderThreadMain();
    void Fail(const std::string& message);
    void RenderShow();
    void RenderFrames(Rendering::RenderingGame& game);
    bool HandOverOldest(FrameReadBack& readBack, Stopwatch& watch);
    void ThrowIfRenderFailed();

    const ExportJob& mJob;
    std::optional<uint32_t> mSeed;
    const std::atomic<bool>& mCancelled;
    ExportTimings& mTimings;
    FrameHandOver mHandOver;
    std::thread mRenderThread; // started and joined by the encoder thread
    Stopwatch mEncoderWatch;   // encoder thread only
    std::mutex mFailureMutex;
    std::string mFailure; // guarded by mFailureMutex; written by the render thread
    std::vector<std::string> mWarnings; // guarded by mFailureMutex; written by the render thread
    std::optional<ProjectSettings> mProject;
};

} // namespace Export
