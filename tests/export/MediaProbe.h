#pragma once

// Helpers for the encoder tests: synthetic frame sources, a hand-written WAV, and a reader that
// reopens an exported file with libavformat.

#include "FFmpegSupport.h"
#include "FrameSource.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ExportTest {

// The encoders' progress reports would bury the test output; errors still show.
inline const bool kQuietFFmpeg = (av_log_set_level(AV_LOG_ERROR), true);

using Bgr = std::array<uint8_t, 3>; // blue, green, red

// Frames whose upper half and lower half each have one colour; the colours change every frame.
// Delivers at most mFrameLimit frames and remembers what the encoder asked of it.
class SyntheticFrames : public Export::FrameSource {
public:
    SyntheticFrames(int width, int height, bool bottomUp = true)
        : mWidth(width), mHeight(height), mBottomUp(bottomUp), mPixels(static_cast<size_t>(width * height * 4))
    {
    }

    bool NextFrame(Export::FrameView& frame) override
    {
        if (mDelivered == mFrameLimit) {
            return false;
        }
        Paint(mColours ? mColours(mDelivered) : std::array<Bgr, 2>{Changing(mDelivered), Changing(mDelivered)});
        ++mDelivered;
        if (mAfterFrame) {
            mAfterFrame(mDelivered);
        }
        frame = {mPixels.data(), mWidth * 4, mBottomUp};
        return true;
    }
    void Stop() override { ++mStopCalls; }

    std::function<std::array<Bgr, 2>(int)> mColours; // {top half, bottom half} of frame n
    std::function<void(int)> mAfterFrame;            // called with the number of frames delivered
    int mFrameLimit = -1;
    int mDelivered = 0;
    int mStopCalls = 0;

private:
    static Bgr Changing(int n) { return {static_cast<uint8_t>(n * 8), 128, static_cast<uint8_t>(255 - n * 8)}; }

    void Paint(const std::array<Bgr, 2>& colours)
    {
        for (int y = 0; y < mHeight; ++y) {
            const int pictureRow = mBottomUp ? mHeight - 1 - y : y;
            const Bgr& c = colours[pictureRow < mHeight / 2 ? 0 : 1];
            for (int x = 0; x < mWidth; ++x) {
                uint8_t* p = &mPixels[static_cast<size_t>((y * mWidth + x) * 4)];
                p[0] = c[0];
                p[1] = c[1];
                p[2] = c[2];
                p[3] = 255;
            }
        }
    }

    int mWidth;
    int mHeight;
    bool mBottomUp;
    std::vector<uint8_t> mPixels;
};

// A 16-bit PCM WAV file holding a quiet sine tone.
inline void WriteWav(const std::filesystem::path& path, double seconds, int rate, int channels)
{
    const auto frames = static_cast<uint32_t>(seconds * rate);
    const uint32_t dataBytes = frames * static_cast<uint32_t>(channels) * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(static_cast<uint16_t>(channels));
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate * channels * 2));
    u16(static_cast<uint16_t>(channels * 2));
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        for (int c = 0; c < channels; ++c) {
            u16(static_cast<uint16_t>(sample));
        }
    }
}

struct StreamFacts {
    AVCodecID mCodec = AV_CODEC_ID_NONE;
    int mProfile = 0;
    uint32_t mTag = 0;
    int mSampleRate = 0;
    int mChannels = 0;
    double mDuration = 0; // seconds
    std::vector<int64_t> mPts; // in packet order
};

struct FileFacts {
    std::optional<StreamFacts> mVideo;
    std::optional<StreamFacts> mAudio;
    int mStreams = 0;
};

inline FileFacts Probe(const std::filesystem::path& path)
{
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        return {};
    }
    Export::InputFormatPtr input(raw);
    avformat_find_stream_info(raw, nullptr);
    FileFacts facts;
    facts.mStreams = static_cast<int>(raw->nb_streams);
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVStream& s = *raw->streams[i];
        StreamFacts stream{s.codecpar->codec_id, s.codecpar->profile, s.codecpar->codec_tag,
            s.codecpar->sample_rate, s.codecpar->ch_layout.nb_channels, s.duration * av_q2d(s.time_base), {}};
        (s.codecpar->codec_type == AVMEDIA_TYPE_VIDEO ? facts.mVideo : facts.mAudio) = stream;
    }
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(raw, packet) >= 0) {
        const bool video = raw->streams[packet->stream_index]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
        (video ? facts.mVideo : facts.mAudio)->mPts.push_back(packet->pts);
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return facts;
}

// The MP4 boxes at the top level of the file, in file order ("ftyp", "moov", "mdat", ...).
inline std::vector<std::string> TopLevelBoxes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> boxes;
    std::array<unsigned char, 8> header{};
    while (in.read(reinterpret_cast<char*>(header.data()), 8)) {
        const uint32_t size = (uint32_t{header[0]} << 24) | (uint32_t{header[1]} << 16) | (uint32_t{header[2]} << 8) | header[3];
        boxes.emplace_back(reinterpret_cast<const char*>(&header[4]), 4);
        if (size < 8) {
            break;
        }
        in.seekg(size - 8, std::ios::cur);
    }
    return boxes;
}

// Decodes the file's first video frame and returns it as top-down rows of blue, green, red, alpha.
inline std::vector<uint8_t> FirstPicture(const std::filesystem::path& path, int width, int height)
{
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        return {};
    }
    Export::InputFormatPtr input(raw);
    avformat_find_stream_info(raw, nullptr);
    const int index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVCodec* codec = avcodec_find_decoder(raw->streams[index]->codecpar->codec_id);
    Export::CodecContextPtr decoder(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(decoder.get(), raw->streams[index]->codecpar);
    avcodec_open2(decoder.get(), codec, nullptr);
    Export::PacketPtr packet = Export::AllocatePacket();
    Export::FramePtr frame = Export::AllocateFrame();
    bool got = false;
    while (!got && av_read_frame(raw, packet.get()) >= 0) {
        if (packet->stream_index == index) {
            avcodec_send_packet(decoder.get(), packet.get());
            got = avcodec_receive_frame(decoder.get(), frame.get()) >= 0;
        }
        av_packet_unref(packet.get());
    }
    if (!got) {
        avcodec_send_packet(decoder.get(), nullptr);
        got = avcodec_receive_frame(decoder.get(), frame.get()) >= 0;
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height * 4));
    if (!got) {
        return {};
    }
    Export::SwsContextPtr scaler(sws_getContext(width, height, static_cast<AVPixelFormat>(frame->format), width,
        height, AV_PIX_FMT_BGRA, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    const int* coefficients = sws_getCoefficients(frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT);
    sws_setColorspaceDetails(scaler.get(), coefficients, frame->color_range == AVCOL_RANGE_JPEG, coefficients, 1, 0,
        1 << 16, 1 << 16);
    uint8_t* out[] = {pixels.data()};
    const int outStride[] = {width * 4};
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, height, out, outStride);
    return pixels;
}

} // namespace ExportTest
