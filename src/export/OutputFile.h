#pragma once

#include "FFmpegSupport.h"

#include <filesystem>
#include <string>

namespace Export {

// The MP4 file being written, with its index at the front so that it starts playing before it has
// downloaded. Streams are added while nothing exists on disk; Open creates the file. Until Finish
// it lives under a temporary name beside the target, so a failed export leaves whatever the user had
// at the target untouched and no half-written file behind.
class OutputFile {
public:
    explicit OutputFile(std::filesystem::path path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    AVStream* AddStream();
    // MP4 keeps codec headers in the stream description, not in the packets.
    bool WantsGlobalHeader() const;

    void Open();
    // Takes the packet's contents; time stamps must already be in its stream's time base.
    void WritePacket(AVPacket& packet);
    // Completes the file and moves it to the target path.
    void Finish();

private:
    std::string Quoted() const;
    void Close();

    std::filesystem::path mPath;
    std::filesystem::path mPartPath;
    AVFormatContext* mContext = nullptr; // owned, with its I/O once opened
    bool mOpened = false;
    bool mFinished = false;
};

} // namespace Export
