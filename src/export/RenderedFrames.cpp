#include "RenderedFrames.h"

#include "FFmpegSupport.h"
#include "FrameReadBack.h"

#include "framework/GameException.h"
#include "show/RenderingGame.h"

namespace Export {

namespace {

// Two copies in flight let the GPU draw one frame while the previous one is still being read; the
// third buffer is the one the encoder reads its frame from.
constexpr std::size_t kReadBackDepth = 3;

} // namespace

RenderedFrames::RenderedFrames(const ExportJob& job, std::optional<uint32_t> seed,
    const std::atomic<bool>& cancelled, ExportTimings& timings)
    : mJob(job)
    , mSeed(seed)
    , mCancelled(cancelled)
    , mTimings(timings)
    , mHandOver(job.mWidth, false)
{
}

RenderedFrames::~RenderedFrames()
{
    Stop();
}

bool RenderedFrames::NextFrame(FrameView& frame)
{
    if (!mRenderThread.joinable()) {
        mRenderThread = std::thread(&RenderedFrames::RenderThreadMain, this);
        mEncoderWatch.Lap();
    }
    mTimings.mEncode += mEncoderWatch.Lap();
    const bool delivered = mHandOver.NextFrame(frame);
    mTimings.mEncoderWait += mEncoderWatch.Lap();
    if (!delivered) {
        ThrowIfRenderFailed();
    }
    return delivered;
}

void RenderedFrames::Stop()
{
    if (!mRenderThread.joinable()) {
        return;
    }
    // What the encoder did after the last frame (flushing, finishing the file) is encoding too.
    mTimings.mEncode += mEncoderWatch.Lap();
    mHandOver.Stop();
    mRenderThread.join();
}

std::vector<std::string> RenderedFrames::Warnings()
{
    std::lock_guard lock(mFailureMutex);
    return mWarnings;
}

void RenderedFrames::ThrowIfRenderFailed()
{
    std::lock_guard lock(mFailureMutex);
    if (!mFailure.empty()) {
        throw EncoderError("The show could not be rendered: " + mFailure);
    }
}

void RenderedFrames::RenderThreadMain()
{
    try {
        RenderShow();
    } catch (const Rendering::PrepareCancelled&) {
        // Cancelled before the first frame: no frames, and no failure either.
    } catch (const std::exception& error) {
        Fail(error.what());
    } catch (const Library::ComException& error) {
        Fail(error.message);
    }
    // Without this the encoder would wait for the next frame forever.
    mHandOver.RenderFinished();
}

void RenderedFrames::Fail(const std::string& message)
{
    std::lock_guard lock(mFailureMutex);
    mFailure = message.empty() ? "unknown failure" : message;
}

void RenderedFrames::RenderShow()
{
    Stopwatch watch;
    const int32_t width = mJob.mWidth;
    const int32_t height = mJob.mHeight;
    Rendering::RenderingGame game(
        [width, height](uint32_t& w, uint32_t& h) {
            w = static_cast<uint32_t>(width);
            h = static_cast<uint32_t>(height);
        },
        Library::TargetKind::ExportWindow);
    if (mSeed) {
        game.SetSeed(*mSeed);
    }
    game.SetProjectPath(mJob.mProjectPath);
    if (mProject) {
        game.SetProject(*mProject);
    }
    game.SetCancelFlag(&mCancelled);
    game.CreateSizedObjects();
    game.Prepare();
    {
        std::lock_guard lock(mFailureMutex);
        mWarnings = game.Warnings();
    }
    game.Clock().fixedStep = 1.0 / mJob.mFPS;
    mTimings.mPrepare = watch.Lap();
    RenderFrames(game);
    game.ReleaseAll();
}

void RenderedFrames::RenderFrames(Rendering::RenderingGame& game)
{
    FrameReadBack readBack(game, kReadBackDepth);
    // The encoder reads its frame straight from a mapped read-back buffer: however the drawing
    // ends, even by a throw, that buffer must outlive the encoder's use of it.
    struct LastFrameGuard {
        RenderedFrames& frames;
        FrameReadBack& readBack;
        ~LastFrameGuard()
        {
            if (readBack.Mapped()) {
                frames.mHandOver.WaitForRequest();
                readBack.ReleaseOldest();
            }
        }
    } lastFrame{*this, readBack};
    Stopwatch watch;
    const int64_t total = int64_t{mJob.mFPS} * mJob.mDuration;
    for (int64_t frame = 0; frame < total && !mCancelled; ++frame) {
        // A copy handed over still holds its buffer until the encoder asks again.
        while (readBack.Full()) {
            if (!HandOverOldest(readBack, watch)) {
                return;
            }
        }
        game.RunFrame();
        readBack.Queue();
        mTimings.mRender += watch.Lap();
    }
    while (readBack.CopyWaiting() && HandOverOldest(readBack, watch)) {
    }
}

// False when the encoder wants no more frames.
bool RenderedFrames::HandOverOldest(FrameReadBack& readBack, Stopwatch& watch)
{
    mTimings.mRender += watch.Lap();
    const bool wanted = mHandOver.WaitForRequest();
    mTimings.mRenderWait += watch.Lap();
    // The encoder asks again only once it is done with the frame it had.
    if (readBack.Mapped()) {
        readBack.ReleaseOldest();
    }
    if (wanted) {
        mHandOver.FrameReady(readBack.MapOldest().data());
    }
    mTimings.mRender += watch.Lap();
    return wanted;
}

} // namespace Export
