#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Export {

// A failed export step; the message names the step and the reason, ready to show to the user.
class EncoderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// FFmpeg's text for an AVERROR code.
std::string FFmpegErrorText(int code);

// Throws EncoderError "<step>: <reason>" when code is negative; returns code otherwise.
int CheckFFmpeg(int code, std::string_view step);

struct CodecContextDeleter {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct FrameDeleter {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct InputFormatDeleter {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct SwsContextDeleter {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
struct SwrContextDeleter {
    void operator()(SwrContext* p) const { swr_free(&p); }
};
struct BufferRefDeleter {
    void operator()(AVBufferRef* p) const { av_buffer_unref(&p); }
};
struct AudioFifoDeleter {
    void operator()(AVAudioFifo* p) const { av_audio_fifo_free(p); }
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatDeleter>;
using SwsContextPtr = std::unique_ptr<SwsContext, SwsContextDeleter>;
using SwrContextPtr = std::unique_ptr<SwrContext, SwrContextDeleter>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoDeleter>;
using BufferRefPtr = std::unique_ptr<AVBufferRef, BufferRefDeleter>;

// Options handed to an *_open call; FFmpeg consumes the entries it knows and leaves the rest.
class Dictionary {
public:
    Dictionary() = default;
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;
    ~Dictionary() { av_dict_free(&mDictionary); }

    void Set(const char* key, const std::string& value) { av_dict_set(&mDictionary, key, value.c_str(), 0); }
    AVDictionary** Address() { return &mDictionary; }

private:
    AVDictionary* mDictionary = nullptr;
};

// Allocations that only fail when memory runs out; they throw EncoderError instead of returning null.
FramePtr AllocateFrame();
PacketPtr AllocatePacket();

} // namespace Export
