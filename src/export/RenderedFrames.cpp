#include "RenderedFrames.h"

#include "FFmpegSupport.h"
#include "FrameReadBack.h"

#include "framework/GameException.h"
#include "show/RenderingGame.h"

#include <cstring>

namespace Export {

namespace {

// Two copies in flight let the GPU draw one frame while the previous one is still being read.
constexpr std::size_t kReadBackDepth = 2;

} // namespace

RenderedFrames::RenderedFrames(const ExportJob& job, std::optional<uint32_t> seed,
    const std::atomic<bool>& cancelled, ExportTimings& timings)
    : mJob(job)
    , mSeed(seed)
    , mCancelled(cancelled)
    , mTimings(timings)
    , mHandOver(job.mWidth, job.mHeight, false)
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
    game.CreateSizedObjects();
    game.Prepare();
    game.Clock().fixedStep = 1.0 / mJob.mFPS;
    mTimings.mPrepare = watch.Lap();
    RenderFrames(game);
    game.ReleaseAll();
}

void RenderedFrames::RenderFrames(Rendering::RenderingGame& game)
{
    FrameReadBack readBack(game, kReadBackDepth);
    Stopwatch watch;
    const int64_t total = int64_t{mJob.mFPS} * mJob.mDuration;
    for (int64_t frame = 0; frame < total && !mCancelled; ++frame) {
        if (readBack.Full() && !HandOverOldest(readBack, watch)) {
            return;
        }
        game.RunFrame();
        readBack.Queue();
        mTimings.mRender += watch.Lap();
    }
    while (!readBack.Empty() && HandOverOldest(readBack, watch)) {
    }
}

// False when the encoder wants no more frames.
bool RenderedFrames::HandOverOldest(FrameReadBack& readBack, Stopwatch& watch)
{
    const std::span<const uint8_t> pixels = readBack.MapOldest();
    mTimings.mRender += watch.Lap();
    const bool wanted = mHandOver.WaitForRequest();
    mTimings.mRenderWait += watch.Lap();
    if (wanted) {
        std::memcpy(mHandOver.FrameBuffer(), pixels.data(), pixels.size());
        mHandOver.FrameReady();
    }
    readBack.ReleaseOldest();
    return wanted;
}

} // namespace Export
