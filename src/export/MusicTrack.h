#pragma once

#include "FFmpegSupport.h"
#include "MusicDecoder.h"
#include "StreamEncoder.h"

#include <cstdint>
#include <filesystem>

namespace Export {

class OutputFile;

// The audio stream: the music re-encoded as 128 kbit/s AAC, 44100 Hz stereo, starting with the
// video. Time stamps count samples from the start. Music longer than the video is cut where the
// video ends; after shorter music the stream simply ends and the rest of the video is silent.
class MusicTrack {
public:
    static constexpr int64_t kBitRate = 128000;

    // Throws EncoderError when the music file cannot be read or the AAC encoder does not open.
    MusicTrack(const std::filesystem::path& musicPath, OutputFile& output);

    // Encodes the music up to endSample (samples since the video's start) in whole AAC frames.
    void WriteUntil(int64_t endSample, OutputFile& output);
    // Encodes the rest up to endSample, the video's end, and drains the encoder.
    void Finish(int64_t endSample, OutputFile& output);

private:
    void Write(int64_t endSample, bool last, OutputFile& output);
    void EncodeSamples(int count, OutputFile& output);

    MusicDecoder mDecoder;
    StreamEncoder mEncoder;
    AudioFifoPtr mFifo;
    FramePtr mFrame;
    int64_t mNextSample = 0;
    bool mEnded = false; // a short frame went out: the music ran out or the video ended
};

} // namespace Export
