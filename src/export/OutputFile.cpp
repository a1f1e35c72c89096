#include "OutputFile.h"

#include <system_error>
#include <utility>

namespace Export {

OutputFile::OutputFile(std::filesystem::path path)
    : mPath(std::move(path))
    , mPartPath(mPath.string() + ".pellora-part")
{
    CheckFFmpeg(avformat_alloc_output_context2(&mContext, nullptr, "mp4", mPartPath.c_str()),
        "Could not set up the MP4 file " + Quoted());
}

OutputFile::~OutputFile()
{
    Close();
    if (mOpened && !mFinished) {
        std::error_code ignored;
        std::filesystem::remove(mPartPath, ignored);
    }
    avformat_free_context(mContext);
}

AVStream* OutputFile::AddStream()
{
    AVStream* stream = avformat_new_stream(mContext, nullptr);
    if (!stream) {
        throw EncoderError("Could not add a stream to " + Quoted() + ": out of memory");
    }
    return stream;
}

bool OutputFile::WantsGlobalHeader() const
{
    return (mContext->oformat->flags & AVFMT_GLOBALHEADER) != 0;
}

void OutputFile::Open()
{
    CheckFFmpeg(avio_open(&mContext->pb, mPartPath.c_str(), AVIO_FLAG_WRITE),
        "Could not open output file " + Quoted());
    mOpened = true;
    Dictionary options;
    options.Set("movflags", "+faststart");
    CheckFFmpeg(avformat_write_header(mContext, options.Address()), "Could not start writing " + Quoted());
}

void OutputFile::WritePacket(AVPacket& packet)
{
    CheckFFmpeg(av_interleaved_write_frame(mContext, &packet), "Could not write to " + Quoted());
}

void OutputFile::Finish()
{
    CheckFFmpeg(av_write_trailer(mContext), "Could not complete " + Quoted());
    Close();
    std::error_code error;
    std::filesystem::rename(mPartPath, mPath, error);
    if (error) {
        throw EncoderError("Could not move the finished video to " + Quoted() + ": " + error.message());
    }
    mFinished = true;
}

std::string OutputFile::Quoted() const
{
    return "'" + mPath.string() + "'";
}

void OutputFile::Close()
{
    if (mContext->pb) {
        avio_closep(&mContext->pb);
    }
}

} // namespace Export
