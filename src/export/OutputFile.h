#pragma once

#include "ExportProgress.h"
#include "FFmpegSupport.h"

#include <filesystem>
#include <string>

namespace Export {

// The MP4 file being written, with its index at the front so that it starts playing before it has
// downloaded. Until Finish it lives in a part file of its own beside the target (where the
// target's symbolic links lead), named "<target name>.<random>.pellora-part" and never reused, so
// a failed or killed export leaves whatever the user had at the target untouched, and two exports
// to one target never write into the same file. Streams are added before Open.
class OutputFile {
public:
    // Creates the part file. replaceExisting false: Finish fails rather than replace a file that
    // is at the target by then. record, when given, names the part file while it exists.
    OutputFile(std::filesystem::path path, bool replaceExisting, PartFileRecord* record = nullptr);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    AVStream* AddStream();
    // MP4 keeps codec headers in the stream description, not in the packets.
    bool WantsGlobalHeader() const;

    void Open();
    // Takes the packet's contents; time stamps must already be in its stream's time base.
    void WritePacket(AVPacket& packet);
    // Completes the file and moves it to the target path, over a regular file or none.
    void Finish();

private:
    std::string Quoted() const;
    void Close();
    void MoveToTarget();

    std::filesystem::path mPath;     // as given, for messages
    std::filesystem::path mTarget;   // the file written: mPath with its links followed
    std::filesystem::path mPartPath;
    bool mReplaceExisting;
    PartFileRecord* mRecord;
    AVFormatContext* mContext = nullptr; // owned, with its I/O once opened
    bool mFinished = false;
};

} // namespace Export
