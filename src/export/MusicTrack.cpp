#include "MusicTrack.h"

#include "OutputFile.h"

#include <algorithm>

namespace Export {

namespace {

CodecContextPtr OpenAacEncoder(bool globalHeader)
{
    const AVCodec* codec = avcodec_find_encoder_by_name("aac");
    CodecContextPtr context(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!context) {
        throw EncoderError("Could not open the AAC encoder: not available");
    }
    context->sample_fmt = MusicDecoder::kSampleFormat;
    context->sample_rate = MusicDecoder::kSampleRate;
    context->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    context->bit_rate = MusicTrack::kBitRate;
    context->time_base = AVRational{1, MusicDecoder::kSampleRate};
    if (globalHeader) {
        context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    CheckFFmpeg(avcodec_open2(context.get(), codec, nullptr), "Could not open the AAC encoder");
    return context;
}

FramePtr CreateSampleFrame(const AVCodecContext& codec)
{
    FramePtr frame = AllocateFrame();
    frame->format = codec.sample_fmt;
    frame->sample_rate = codec.sample_rate;
    CheckFFmpeg(av_channel_layout_copy(&frame->ch_layout, &codec.ch_layout), "Could not allocate music samples");
    frame->nb_samples = codec.frame_size;
    CheckFFmpeg(av_frame_get_buffer(frame.get(), 0), "Could not allocate music samples");
    return frame;
}

AudioFifoPtr CreateFifo(const AVCodecContext& codec)
{
    AudioFifoPtr fifo(av_audio_fifo_alloc(codec.sample_fmt, codec.ch_layout.nb_channels, codec.frame_size));
    if (!fifo) {
        throw EncoderError("Could not allocate music samples: out of memory");
    }
    return fifo;
}

} // namespace

MusicTrack::MusicTrack(const std::filesystem::path& musicPath, OutputFile& output)
    : mDecoder(musicPath)
    , mEncoder(OpenAacEncoder(output.WantsGlobalHeader()), *output.AddStream(), "the music")
    , mFifo(CreateFifo(mEncoder.Codec()))
    , mFrame(CreateSampleFrame(mEncoder.Codec()))
{
}

void MusicTrack::WriteUntil(int64_t endSample, OutputFile& output)
{
    Write(endSample, false, output);
}

void MusicTrack::Finish(int64_t endSample, OutputFile& output)
{
    Write(endSample, true, output);
    mEncoder.Encode(nullptr, output);
}

void MusicTrack::Write(int64_t endSample, bool last, OutputFile& output)
{
    const int frameSize = mEncoder.Codec().frame_size;
    while (!mEnded && mNextSample < endSample) {
        const int wanted = static_cast<int>(std::min<int64_t>(frameSize, endSample - mNextSample));
        if (wanted < frameSize && !last) {
            return;
        }
        mDecoder.Fill(*mFifo, wanted);
        const int count = std::min(wanted, av_audio_fifo_size(mFifo.get()));
        if (count > 0) {
            EncodeSamples(count, output);
        }
        // The encoder takes a shorter frame only as its last one.
        mEnded = count < frameSize;
    }
}

void MusicTrack::EncodeSamples(int count, OutputFile& output)
{
    CheckFFmpeg(av_frame_make_writable(mFrame.get()), "Could not allocate music samples");
    mFrame->nb_samples = count;
    if (av_audio_fifo_read(mFifo.get(), reinterpret_cast<void**>(mFrame->data), count) != count) {
        throw EncoderError("Could not read the buffered music");
    }
    mFrame->pts = mNextSample;
    mNextSample += count;
    mEncoder.Encode(mFrame.get(), output);
}

} // namespace Export
