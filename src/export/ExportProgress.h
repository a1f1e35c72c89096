#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace Export {

// The state one export shares with the user interface. The encoder thread writes the counters and
// the done flag; the user-interface thread reads them (a stale value only delays the display) and
// sets ExportCancelled.
struct ExportProgress {
    std::atomic<int32_t> FramesTotal{0};      // frames the finished video will have
    std::atomic<int32_t> FramesDone{0};       // frames encoded so far
    std::atomic<bool> ExportCancelled{false}; // the encoder finalises what it wrote and stops
    std::atomic<bool> VideoEncoded{false};    // every frame was written and the file is complete

    // Called once on the encoder thread right after VideoEncoded is set; never after a cancel, an
    // early end of the frames or a failure. Set it before the export starts.
    std::function<void()> mOnVideoEncoded;
};

} // namespace Export
