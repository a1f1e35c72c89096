#include "MusicDecoder.h"

#include <string>

namespace Export {

namespace {

InputFormatPtr OpenInput(const std::filesystem::path& path, const std::string& quoted)
{
    AVFormatContext* input = nullptr;
    CheckFFmpeg(avformat_open_input(&input, path.c_str(), nullptr, nullptr), "Could not open music file " + quoted);
    InputFormatPtr owned(input);
    CheckFFmpeg(avformat_find_stream_info(input, nullptr), "Could not read music file " + quoted);
    return owned;
}

int FindSound(AVFormatContext& input, const std::string& quoted)
{
    const int index = av_find_best_stream(&input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0) {
        throw EncoderError("Music file " + quoted + " holds no sound that can be decoded");
    }
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        if (static_cast<int>(i) != index) {
            input.streams[i]->discard = AVDISCARD_ALL;
        }
    }
    return index;
}

CodecContextPtr OpenDecoder(const AVStream& stream, const std::string& quoted)
{
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (!codec) {
        throw EncoderError("Music file " + quoted + " holds no sound that can be decoded");
    }
    CodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder) {
        throw EncoderError("Could not allocate a decoder for music file " + quoted + ": out of memory");
    }
    const std::string step = "Could not open the decoder for music file " + quoted;
    CheckFFmpeg(avcodec_parameters_to_context(decoder.get(), stream.codecpar), step);
    decoder->pkt_timebase = stream.time_base;
    CheckFFmpeg(avcodec_open2(decoder.get(), codec, nullptr), step);
    return decoder;
}

SwrContextPtr CreateResampler(const AVFrame& frame)
{
    AVChannelLayout inputLayout{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&inputLayout, frame.ch_layout.nb_channels);
    } else {
        CheckFFmpeg(av_channel_layout_copy(&inputLayout, &frame.ch_layout), "Could not read the music's channels");
    }
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* resampler = nullptr;
    const int result = swr_alloc_set_opts2(&resampler, &stereo, MusicDecoder::kSampleFormat,
        MusicDecoder::kSampleRate, &inputLayout, static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0,
        nullptr);
    av_channel_layout_uninit(&inputLayout);
    SwrContextPtr owned(resampler);
    CheckFFmpeg(result, "Could not set up the music's conversion to 44100 Hz stereo");
    CheckFFmpeg(swr_init(resampler), "Could not set up the music's conversion to 44100 Hz stereo");
    return owned;
}

} // namespace

MusicDecoder::MusicDecoder(const std::filesystem::path& path)
    : mPacket(AllocatePacket())
    , mDecoded(AllocateFrame())
    , mConverted(AllocateFrame())
{
    const std::string quoted = "'" + path.string() + "'";
    mInput = OpenInput(path, quoted);
    mStreamIndex = FindSound(*mInput, quoted);
    mDecoder = OpenDecoder(*mInput->streams[mStreamIndex], quoted);
}

void MusicDecoder::Fill(AVAudioFifo& fifo, int wanted)
{
    while (!mEnded && av_audio_fifo_size(&fifo) < wanted) {
        DecodeNextPacket(fifo);
    }
}

void MusicDecoder::DecodeNextPacket(AVAudioFifo& fifo)
{
    if (av_read_frame(mInput.get(), mPacket.get()) < 0) {
        avcodec_send_packet(mDecoder.get(), nullptr);
        ReceiveFrames(fifo);
        Convert(nullptr, fifo);
        mEnded = true;
        return;
    }
    if (mPacket->stream_index == mStreamIndex && avcodec_send_packet(mDecoder.get(), mPacket.get()) >= 0) {
        ReceiveFrames(fifo);
    }
    av_packet_unref(mPacket.get());
}

void MusicDecoder::ReceiveFrames(AVAudioFifo& fifo)
{
    while (avcodec_receive_frame(mDecoder.get(), mDecoded.get()) >= 0) {
        if (!mResampler) {
            mResampler = CreateResampler(*mDecoded);
        }
        Convert(mDecoded.get(), fifo);
        av_frame_unref(mDecoded.get());
    }
}

void MusicDecoder::Convert(const AVFrame* frame, AVAudioFifo& fifo)
{
    if (!mResampler) {
        return;
    }
    const int inputSamples = frame ? frame->nb_samples : 0;
    const int capacity = swr_get_out_samples(mResampler.get(), inputSamples);
    if (capacity <= 0) {
        return;
    }
    ReserveConverted(capacity);
    const auto** input = frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr;
    const int converted = swr_convert(mResampler.get(), mConverted->data, capacity, input, inputSamples);
    if (converted > 0) {
        CheckFFmpeg(av_audio_fifo_write(&fifo, reinterpret_cast<void**>(mConverted->data), converted),
            "Could not buffer the music");
    }
}

void MusicDecoder::ReserveConverted(int samples)
{
    if (mConverted->nb_samples >= samples) {
        return;
    }
    av_frame_unref(mConverted.get());
    mConverted->format = kSampleFormat;
    mConverted->sample_rate = kSampleRate;
    mConverted->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    mConverted->nb_samples = samples;
    CheckFFmpeg(av_frame_get_buffer(mConverted.get(), 0), "Could not allocate music samples");
}

} // namespace Export
