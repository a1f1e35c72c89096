#include "StreamEncoder.h"

#include "OutputFile.h"

#include <utility>

namespace Export {

StreamEncoder::StreamEncoder(CodecContextPtr codec, AVStream& stream, std::string name)
    : mCodec(std::move(codec))
    , mStream(stream)
    , mName(std::move(name))
    , mPacket(AllocatePacket())
{
    CheckFFmpeg(avcodec_parameters_from_context(mStream.codecpar, mCodec.get()),
        "Could not describe the " + mName + " stream");
    mStream.time_base = mCodec->time_base;
}

void StreamEncoder::Encode(const AVFrame* frame, OutputFile& output)
{
    CheckFFmpeg(avcodec_send_frame(mCodec.get(), frame), "Could not encode " + mName);
    for (;;) {
        const int result = avcodec_receive_packet(mCodec.get(), mPacket.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return;
        }
        CheckFFmpeg(result, "Could not encode " + mName);
        WritePacket(output);
    }
}

void StreamEncoder::WritePacket(OutputFile& output)
{
    // Some encoder wrappers leave video packet durations at 0, and MP4 then drops the last frame's
    // time: every video packet lasts one frame of the codec's time base (1 / frame rate).
    if (mPacket->duration == 0 && mCodec->codec_type == AVMEDIA_TYPE_VIDEO) {
        mPacket->duration = 1;
    }
    av_packet_rescale_ts(mPacket.get(), mCodec->time_base, mStream.time_base);
    mPacket->stream_index = mStream.index;
    output.WritePacket(*mPacket);
}

} // namespace Export
