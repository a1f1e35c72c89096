#pragma once

#include "FFmpegSupport.h"

#include <filesystem>

namespace Export {

// Reads the sound of a music file in any format FFmpeg knows (MP3, AAC/M4A, WAV, FLAC, Ogg, ...)
// and delivers it as 44100 Hz stereo planar float samples, the AAC encoder's input. Pictures in
// the file (cover art) are skipped. A damaged packet is skipped; a failed read ends the music.
class MusicDecoder {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr AVSampleFormat kSampleFormat = AV_SAMPLE_FMT_FLTP;

    // Throws EncoderError when the file cannot be opened or holds no decodable sound.
    explicit MusicDecoder(const std::filesystem::path& path);

    // Decodes until the fifo holds at least wanted samples or the music has ended.
    void Fill(AVAudioFifo& fifo, int wanted);

private:
    void DecodeNextPacket(AVAudioFifo& fifo);
    void ReceiveFrames(AVAudioFifo& fifo);
    // A null frame drains the samples the resampler still holds.
    void Convert(const AVFrame* frame, AVAudioFifo& fifo);
    void ReserveConverted(int samples);

    InputFormatPtr mInput;
    int mStreamIndex = -1;
    CodecContextPtr mDecoder;
    SwrContextPtr mResampler; // made for the first decoded frame's format
    PacketPtr mPacket;
    FramePtr mDecoded;
    FramePtr mConverted;
    bool mEnded = false;
};

} // namespace Export
