#include "FFmpegSupport.h"

extern "C" {
#include <libavutil/error.h>
}

namespace Export {

std::string FFmpegErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof(text));
    return text;
}

int CheckFFmpeg(int code, std::string_view step)
{
    if (code < 0) {
        throw EncoderError(std::string(step) + ": " + FFmpegErrorText(code));
    }
    return code;
}

FramePtr AllocateFrame()
{
    FramePtr frame(av_frame_alloc());
    if (!frame) {
        throw EncoderError("Could not allocate a frame: out of memory");
    }
    return frame;
}

PacketPtr AllocatePacket()
{
    PacketPtr packet(av_packet_alloc());
    if (!packet) {
        throw EncoderError("Could not allocate a packet: out of memory");
    }
    return packet;
}

} // namespace Export
