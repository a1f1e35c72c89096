#include "VideoEncoder.h"

#include "FFmpegSupport.h"
#include "MusicTrack.h"
#include "OutputFile.h"
#include "VideoTrack.h"

#include <limits>
#include <optional>
#include <utility>

namespace Export {

namespace {

constexpr int32_t kLargestSide = 16384;
constexpr int32_t kHighestFPS = 240;

bool ValidSide(int32_t side)
{
    return side >= 2 && side <= kLargestSide && side % 2 == 0;
}

} // namespace

VideoEncoder::VideoEncoder(ExportJob job, ExportProgress& progress)
    : mJob(std::move(job))
    , mProgress(progress)
{
}

bool VideoEncoder::Run(FrameSource& source)
{
    mErrorMessage.clear();
    mEncoderName.clear();
    mProgress.FramesDone = 0;
    mProgress.VideoEncoded = false;
    bool written = false;
    bool completed = false;
    try {
        CheckJob();
        const auto total = static_cast<int32_t>(int64_t{mJob.mFPS} * mJob.mDuration);
        mProgress.FramesTotal = total;
        completed = Encode(source, total) == total && !mProgress.ExportCancelled;
        written = true;
    } catch (const std::exception& error) {
        mErrorMessage = error.what();
    }
    source.Stop();
    if (completed) {
        ReportCompleted();
    }
    return written;
}

bool VideoEncoder::HasHevcEncoder(bool software)
{
    return EncoderKindOpens(false, !software);
}

bool VideoEncoder::HasHardwareH264Encoder()
{
    return EncoderKindOpens(true, true);
}

std::string VideoEncoder::WorkingEncoderName(bool h264, bool hardware)
{
    const char* name = WorkingEncoderOfKind(h264, hardware);
    return name ? name : "";
}

void VideoEncoder::CheckJob() const
{
    if (!ValidSide(mJob.mWidth) || !ValidSide(mJob.mHeight)) {
        throw EncoderError("The video size " + std::to_string(mJob.mWidth) + "x" + std::to_string(mJob.mHeight)
            + " is not supported: width and height must be even numbers from 2 to " + std::to_string(kLargestSide));
    }
    if (mJob.mFPS < 1 || mJob.mFPS > kHighestFPS) {
        throw EncoderError("The frame rate " + std::to_string(mJob.mFPS) + " is not supported: it must be from 1 to "
            + std::to_string(kHighestFPS));
    }
    if (mJob.mDuration == 0 || int64_t{mJob.mFPS} * mJob.mDuration > std::numeric_limits<int32_t>::max()) {
        throw EncoderError("The video length of " + std::to_string(mJob.mDuration) + " seconds is not supported");
    }
    if (mJob.mBitRate <= 0) {
        throw EncoderError("The bit rate " + std::to_string(mJob.mBitRate) + " is not supported: it must be above 0");
    }
    if (mJob.mOutputPath.empty()) {
        throw EncoderError("No output file was given");
    }
}

int32_t VideoEncoder::Encode(FrameSource& source, int32_t framesTotal)
{
    OutputFile output(mJob.mOutputPath, mJob.mReplaceExisting, &mProgress.mPartFile);
    VideoTrack video(mJob, output);
    mEncoderName = video.EncoderName();
    std::optional<MusicTrack> music;
    if (!mJob.mMusicPath.empty()) {
        music.emplace(mJob.mMusicPath, output);
    }
    output.Open();
    int32_t written = 0;
    FrameView frame;
    while (written < framesTotal && !mProgress.ExportCancelled && source.NextFrame(frame)) {
        video.WriteFrame(frame, written, output);
        mProgress.FramesDone = ++written;
        if (music) {
            music->WriteUntil(SamplesAtFrame(written), output);
        }
    }
    if (written == 0) {
        // An MP4 without a single frame plays nowhere; keep whatever the user had instead.
        throw EncoderError("No frame was rendered, so no video was written");
    }
    video.Flush(output);
    if (music) {
        music->Finish(SamplesAtFrame(written), output);
    }
    output.Finish();
    return written;
}

int64_t VideoEncoder::SamplesAtFrame(int64_t frame) const
{
    return av_rescale(frame, MusicDecoder::kSampleRate, mJob.mFPS);
}

void VideoEncoder::ReportCompleted()
{
    mProgress.VideoEncoded = true;
    if (mProgress.mOnVideoEncoded) {
        mProgress.mOnVideoEncoded();
    }
}

} // namespace Export
