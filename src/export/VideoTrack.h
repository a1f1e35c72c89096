#pragma once

#include "EncoderTuning.h"
#include "ExportJob.h"
#include "FFmpegSupport.h"
#include "FrameSource.h"
#include "StreamEncoder.h"

#include <cstdint>
#include <span>

namespace Export {

class OutputFile;

// One video encoder we may use: its FFmpeg name, the options it understands, whether it runs on
// the graphics hardware.
struct VideoEncoderChoice {
    const char* mName;
    EncoderFamily mFamily;
    bool mHardware;
};

// The encoders that may write a job's video, best first: hardware ones only when the job asks for
// hardware, the software one always last.
std::span<const VideoEncoderChoice> VideoEncoderChoices(bool h264, bool hardware);

// Opens the encoder for the job's format and tuning; nothing when it does not open on this machine.
CodecContextPtr OpenVideoEncoder(const VideoEncoderChoice& choice, const ExportJob& job, bool globalHeader);

// The name of the first video encoder of the codec and kind that opens on this machine at a small
// size; null when none does. Asked once per process for each codec and kind, then remembered.
const char* WorkingEncoderOfKind(bool h264, bool hardware);
// Whether WorkingEncoderOfKind finds one.
bool EncoderKindOpens(bool h264, bool hardware);

// The video stream: converts each captured picture to YUV 4:2:0 with BT.709 colours
// and time-stamps it exactly at its frame index in a 1 / frame-rate time base.
class VideoTrack {
public:
    VideoTrack(const ExportJob& job, OutputFile& output);

    void WriteFrame(const FrameView& frame, int64_t index, OutputFile& output);
    void Flush(OutputFile& output);
    // The FFmpeg name of the encoder in use.
    const char* EncoderName() { return mEncoder.Codec().codec->name; }

private:
    int32_t mWidth;
    int32_t mHeight;
    StreamEncoder mEncoder;
    SwsContextPtr mScaler;
    FramePtr mPicture; // the converted picture, in the encoder's format or its surfaces' format
    FramePtr mSurface; // the picture's copy on the GPU, for hardware encoders that need one
};

} // namespace Export
