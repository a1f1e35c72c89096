#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>

namespace Export {

// The unfinished file an export is writing, so that a process which must end at once (a second
// stop signal) can remove it from any thread. Empty while no such file exists.
class PartFileRecord {
public:
    void Set(std::filesystem::path path)
    {
        std::lock_guard lock(mMutex);
        mPath = std::move(path);
    }
    std::filesystem::path Get() const
    {
        std::lock_guard lock(mMutex);
        return mPath;
    }

private:
    mutable std::mutex mMutex;
    std::filesystem::path mPath; // guarded by mMutex
};

// The state one export shares with the user interface. The encoder thread writes the counters and
// the done flag; the user-interface thread reads them (a stale value only delays the display) and
// sets ExportCancelled.
struct ExportProgress {
    std::atomic<int32_t> FramesTotal{0};      // frames the finished video will have
    std::atomic<int32_t> FramesDone{0};       // frames encoded so far
    std::atomic<bool> ExportCancelled{false}; // the encoder finalises what it wrote and stops
    std::atomic<bool> VideoEncoded{false};    // every frame was written and the file is complete
    PartFileRecord mPartFile;                 // written by the encoder thread

    // Called once on the encoder thread right after VideoEncoded is set; never after a cancel, an
    // early end of the frames or a failure. Set it before the export starts.
    std::function<void()> mOnVideoEncoded;
};

} // namespace Export
