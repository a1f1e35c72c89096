#pragma once

#include "FFmpegSupport.h"

#include <string>

namespace Export {

class OutputFile;

// An opened encoder and the output stream it feeds: frames go in, every packet that comes out is
// stamped for the stream and written, interleaved with the file's other streams.
class StreamEncoder {
public:
    // codec must be open; its parameters and time base go to the stream. name appears in messages.
    StreamEncoder(CodecContextPtr codec, AVStream& stream, std::string name);

    AVCodecContext& Codec() { return *mCodec; }
    // A null frame drains the encoder at the end.
    void Encode(const AVFrame* frame, OutputFile& output);

private:
    void WritePacket(OutputFile& output);

    CodecContextPtr mCodec;
    AVStream& mStream;
    std::string mName;
    PacketPtr mPacket;
};

} // namespace Export
