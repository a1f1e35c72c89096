#pragma once

#include "ExportJob.h"
#include "ExportProgress.h"
#include "FrameSource.h"

#include <cstdint>
#include <string>

namespace Export {

// Writes the exported show into an MP4 file: H.264 (High) or HEVC (Main, tagged "hvc1") video
// from the frames a FrameSource hands over, and the job's music re-encoded as AAC. Lives on the
// encoder thread; every FFmpeg object it uses is made and used there.
class VideoEncoder {
public:
    // progress must outlive the encoder; the user-interface thread may read it all along.
    VideoEncoder(ExportJob job, ExportProgress& progress);

    // Encodes FramesTotal = fps × duration frames, stamped 0, 1, 2, ... in a 1 / fps time base, with
    // the music interleaved by time. Ends early, keeping a playable file of the frames written so
    // far, when ExportCancelled is set or the source has no more frames. Tells the source Stop()
    // before it returns. True when a file was written, complete or the part before the early end;
    // false with ErrorMessage() otherwise, and then no file is left behind and whatever was at the
    // output path before is untouched.
    bool Run(FrameSource& source);
    const std::string& ErrorMessage() const { return mErrorMessage; }
    // The FFmpeg name of the video encoder Run used ("libx264", "h264_vaapi", ...); empty when
    // none was opened.
    const std::string& UsedEncoderName() const { return mEncoderName; }

    // Whether an HEVC encoder opens on this machine: the software one, or a hardware one. Asked
    // once per process, then remembered.
    static bool HasHevcEncoder(bool software);
    // Whether a hardware H.264 encoder opens on this machine; remembered like HasHevcEncoder.
    static bool HasHardwareH264Encoder();
    // The FFmpeg name of the first encoder of the codec and kind that opens on this machine, the
    // one an export would use; empty when none does. Remembered like HasHevcEncoder.
    static std::string WorkingEncoderName(bool h264, bool hardware);

private:
    void CheckJob() const;
    int32_t Encode(FrameSource& source, int32_t framesTotal);
    int64_t SamplesAtFrame(int64_t frame) const;
    void ReportCompleted();

    ExportJob mJob;
    ExportProgress& mProgress;
    std::string mErrorMessage;
    std::string mEncoderName;
};

} // namespace Export
