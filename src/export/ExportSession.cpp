#include "ExportSession.h"

#include "FFmpegSupport.h"
#include "OutputTarget.h"
#include "RenderedFrames.h"
#include "VideoEncoder.h"

#include <utility>

namespace Export {

ExportSession::ExportSession(ExportJob job, ShowOverrides overrides)
    : mJob(std::move(job))
    , mOverrides(std::move(overrides))
{
}

ExportSession::~ExportSession()
{
    if (mEncoderThread.joinable()) {
        Cancel();
        mEncoderThread.join();
    }
}

void ExportSession::Start()
{
    if (!mEncoderThread.joinable()) {
        mEncoderThread = std::thread(&ExportSession::EncoderThreadMain, this);
    }
}

void ExportSession::Cancel()
{
    mProgress.ExportCancelled = true;
}

void ExportSession::Wait()
{
    std::unique_lock lock(mMutex);
    mFinishedChanged.wait(lock, [this] { return mFinished; });
}

bool ExportSession::WaitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mMutex);
    return mFinishedChanged.wait_for(lock, timeout, [this] { return mFinished; });
}

bool ExportSession::Finished() const
{
    std::lock_guard lock(mMutex);
    return mFinished;
}

void ExportSession::EncoderThreadMain()
{
    Stopwatch watch;
    try {
        Encode();
    } catch (const std::exception& error) {
        mErrorMessage = error.what();
    }
    mTimings.mTotal = watch.Lap();
    MarkFinished();
}

void ExportSession::Encode()
{
    ProjectSettings project = ReadShowFormat(mJob, mOverrides);
    const std::string refusal = CheckOutputTarget(mJob.mOutputPath, OutputKind::Video,
        ShowInputs(project, mJob.mProjectPath), mJob.mReplaceExisting);
    if (!refusal.empty()) {
        throw EncoderError(refusal);
    }
    VideoEncoder encoder(mJob, mProgress);
    RenderedFrames frames(mJob, mOverrides.mSeed, mProgress.ExportCancelled, mTimings);
    frames.UseProject(std::move(project));
    mSucceeded = encoder.Run(frames);
    mErrorMessage = encoder.ErrorMessage();
    mEncoderName = encoder.UsedEncoderName();
    mWarnings = frames.Warnings();
}

void ExportSession::MarkFinished()
{
    {
        std::lock_guard lock(mMutex);
        mFinished = true;
    }
    mFinishedChanged.notify_all();
}

} // namespace Export
