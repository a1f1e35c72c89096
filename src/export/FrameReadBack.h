#pragma once

#include "framework/GpuResources.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace Library {
class Game;
}

namespace Export {

// Reads the game's presented pictures back through a small ring of pixel-buffer objects, so that
// the copy of one frame can still run on the GPU while the next is drawn. Render thread only; the
// game must outlive the reader.
class FrameReadBack {
public:
    // depth: how many copies may be queued at once; the buffers are made here, once per export.
    FrameReadBack(Library::Game& game, std::size_t depth);
    ~FrameReadBack();
    FrameReadBack(const FrameReadBack&) = delete;
    FrameReadBack& operator=(const FrameReadBack&) = delete;

    // Full: every buffer holds a copy, queued or mapped.
    bool Full() const { return mQueued == mBuffers.size(); }
    bool Mapped() const { return mMapped; }
    // Whether a queued copy is still to be mapped.
    bool CopyWaiting() const { return mQueued > (mMapped ? 1u : 0u); }

    // Queues a copy of the picture presented last; the queue must not be full.
    void Queue();
    // Waits for the oldest queued copy: top row first, B, G, R, 255 bytes, width × 4 bytes a row.
    // Valid until ReleaseOldest, which must follow before the next MapOldest. Throws GameException
    // when the copy cannot be read, rather than letting a frame go missing from the video.
    std::span<const uint8_t> MapOldest();
    // Frees the oldest copy's buffer for the next Queue.
    void ReleaseOldest();

private:
    Library::Game& mGame;
    std::vector<Library::Buffer> mBuffers;
    std::size_t mOldest = 0;
    std::size_t mQueued = 0;
    bool mMapped = false;
};

} // namespace Export
