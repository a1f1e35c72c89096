#include "OutputFile.h"

#include "project/Paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>

namespace Export {

namespace {

std::string ErrnoText(int code)
{
    return std::generic_category().message(code);
}

// rename() that fails with EEXIST instead of replacing a file. Returns 0 or the errno.
int MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // Some file systems cannot rename without replacing; a hard link refuses a taken name just as
    // atomically.
    if (link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    unlink(from.c_str());
    return 0;
}

} // namespace

OutputFile::OutputFile(std::filesystem::path path, bool replaceExisting, PartFileRecord* record)
    : mPath(std::move(path))
    , mTarget(FollowLinks(mPath))
    , mReplaceExisting(replaceExisting)
    , mRecord(record)
{
    // A name never used before: no file left by an earlier export, nor one another export is
    // writing, is ever taken over.
    auto part = CreateSiblingFile(mTarget, "pellora-part");
    if (!part) {
        throw EncoderError("Could not open output file " + Quoted() + ": " + ErrnoText(errno));
    }
    mPartPath = std::move(*part);
    const int result = avformat_alloc_output_context2(&mContext, nullptr, "mp4", mPartPath.c_str());
    if (result < 0) {
        std::error_code ignored;
        std::filesystem::remove(mPartPath, ignored);
        CheckFFmpeg(result, "Could not set up the MP4 file " + Quoted());
    }
    if (mRecord) {
        mRecord->Set(mPartPath);
    }
}

OutputFile::~OutputFile()
{
    Close();
    if (!mFinished) {
        std::error_code ignored;
        std::filesystem::remove(mPartPath, ignored);
    }
    if (mRecord) {
        mRecord->Set({});
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
    MoveToTarget();
    mFinished = true;
}

std::string OutputFile::Quoted() const
{
    return "'" + mPath.string() + "'";
}

void OutputFile::Close()
{
    if (mContext && mContext->pb) {
        avio_closep(&mContext->pb);
    }
}

void OutputFile::MoveToTarget()
{
    if (!mReplaceExisting) {
        const int error = MoveWithoutReplacing(mPartPath, mTarget);
        if (error == EEXIST) {
            throw EncoderError(Quoted() + " was created by someone else while the video was made; it is left as it is");
        }
        if (error != 0) {
            throw EncoderError("Could not move the finished video to " + Quoted() + ": " + ErrnoText(error));
        }
        return;
    }
    std::error_code error;
    const auto status = std::filesystem::symlink_status(mTarget, error);
    if (!error && status.type() != std::filesystem::file_type::regular) {
        throw EncoderError(Quoted() + " is no longer a regular file; it is left as it is");
    }
    std::filesystem::rename(mPartPath, mTarget, error);
    if (error) {
        throw EncoderError("Could not move the finished video to " + Quoted() + ": " + error.message());
    }
}

} // namespace Export
