#pragma once

// Helpers for the encoder tests: synthetic frame sources, a hand-written WAV, and a reader that
// reopens an exported file with libavformat.

#include "FFmpegSupport.h"
#include "FrameSource.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <cstring>
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

namespace Detail {

// Encodes one 16 × 16 PNG picture, the kind of cover art music files carry.
inline Export::PacketPtr EncodeCover()
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PNG);
    Export::CodecContextPtr png(avcodec_alloc_context3(codec));
    png->width = 16;
    png->height = 16;
    png->pix_fmt = AV_PIX_FMT_RGB24;
    png->time_base = AVRational{1, 1};
    avcodec_open2(png.get(), codec, nullptr);
    Export::FramePtr picture = Export::AllocateFrame();
    picture->format = png->pix_fmt;
    picture->width = 16;
    picture->height = 16;
    av_frame_get_buffer(picture.get(), 0);
    for (int y = 0; y < 16; ++y) {
        std::memset(picture->data[0] + y * picture->linesize[0], 16 * y, 48);
    }
    Export::PacketPtr packet = Export::AllocatePacket();
    avcodec_send_frame(png.get(), picture.get());
    avcodec_receive_packet(png.get(), packet.get());
    return packet;
}

inline void Drain(AVCodecContext& codec, AVFormatContext& output, const AVStream& stream, const AVFrame* frame)
{
    avcodec_send_frame(&codec, frame);
    Export::PacketPtr packet = Export::AllocatePacket();
    while (avcodec_receive_packet(&codec, packet.get()) >= 0) {
        av_packet_rescale_ts(packet.get(), codec.time_base, stream.time_base);
        packet->stream_index = stream.index;
        av_interleaved_write_frame(&output, packet.get());
    }
}

} // namespace Detail

// A music file made with FFmpeg's own encoders, its container chosen by the file name's extension,
// optionally with a cover picture stored the way music players expect it.
inline bool WriteMusic(const std::filesystem::path& path, const char* encoderName, double seconds, int rate,
    int channels, bool withCover)
{
    AVFormatContext* output = nullptr;
    const AVCodec* codec = avcodec_find_encoder_by_name(encoderName);
    if (!codec || avformat_alloc_output_context2(&output, nullptr, nullptr, path.c_str()) < 0) {
        return false;
    }
    AVStream* cover = nullptr;
    Export::PacketPtr coverPacket;
    if (withCover) {
        coverPacket = Detail::EncodeCover();
        cover = avformat_new_stream(output, nullptr);
        cover->codecpar->codec_type = AVMEDIA_TYPE_VIDEO;
        cover->codecpar->codec_id = AV_CODEC_ID_PNG;
        cover->codecpar->width = 16;
        cover->codecpar->height = 16;
        cover->disposition = AV_DISPOSITION_ATTACHED_PIC;
    }
    Export::CodecContextPtr encoder(avcodec_alloc_context3(codec));
    encoder->sample_fmt = codec->sample_fmts[0];
    encoder->sample_rate = rate;
    av_channel_layout_default(&encoder->ch_layout, channels);
    encoder->time_base = AVRational{1, rate};
    if (output->oformat->flags & AVFMT_GLOBALHEADER) {
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    const bool opened = avcodec_open2(encoder.get(), codec, nullptr) >= 0;
    AVStream* sound = avformat_new_stream(output, nullptr);
    avcodec_parameters_from_context(sound->codecpar, encoder.get());
    sound->time_base = encoder->time_base;
    if (!opened || avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE) < 0
        || avformat_write_header(output, nullptr) < 0) {
        avio_closep(&output->pb);
        avformat_free_context(output);
        return false;
    }
    if (cover) {
        coverPacket->stream_index = cover->index;
        av_interleaved_write_frame(output, coverPacket.get());
    }
    Export::FramePtr frame = Export::AllocateFrame();
    frame->format = encoder->sample_fmt;
    frame->sample_rate = rate;
    av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
    frame->nb_samples = encoder->frame_size;
    av_frame_get_buffer(frame.get(), 0);
    const auto total = static_cast<int64_t>(seconds * rate);
    // Silence is enough: the tests look at lengths and formats, not at the sound.
    for (int64_t done = 0; done < total; done += frame->nb_samples) {
        av_frame_make_writable(frame.get());
        frame->nb_samples = static_cast<int>(std::min<int64_t>(encoder->frame_size, total - done));
        av_samples_set_silence(frame->data, 0, frame->nb_samples, channels, encoder->sample_fmt);
        frame->pts = done;
        Detail::Drain(*encoder, *output, *sound, frame.get());
    }
    Detail::Drain(*encoder, *output, *sound, nullptr);
    av_write_trailer(output);
    avio_closep(&output->pb);
    avformat_free_context(output);
    return true;
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
        const uint32_t size = (uint32_t{header[0]} << 24) | (uint32_t{header[1]} << 16)
            | (uint32_t{header[2]} << 8) | header[3];
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
    const int* coefficients =
        sws_getCoefficients(frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT);
    sws_setColorspaceDetails(scaler.get(), coefficients, frame->color_range == AVCOL_RANGE_JPEG, coefficients, 1, 0,
        1 << 16, 1 << 16);
    uint8_t* out[] = {pixels.data()};
    const int outStride[] = {width * 4};
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, height, out, outStride);
    return pixels;
}

} // namespace ExportTest
