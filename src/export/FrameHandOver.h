#pragma once

#include "AutoResetEvent.h"
#include "FrameSource.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace Export {

// The meeting point of the render thread and the encoder thread: one shared frame buffer and the
// signals FrameRequest, FrameReady, StopRender and RenderFinished. One frame is in flight at a time.
//
// Render thread, once per frame: WaitForRequest(); when true, fill FrameBuffer() and call
// FrameReady(); when false, stop rendering. Whatever ends the render thread (last frame, stop,
// failure), it calls RenderFinished() before it goes, or the encoder waits for it forever.
// Every frame counts, the last one too: the encoder stops asking once it has all it needs.
class FrameHandOver final : public FrameSource {
public:
    // bottomUp: the render thread writes the picture's bottom row first (the capture layout);
    // false when it writes the top row first, as a read-back of a top-left-origin target does.
    FrameHandOver(int32_t width, int32_t height, bool bottomUp = true);

    // Encoder thread.
    bool NextFrame(FrameView& frame) override;
    void Stop() override;

    // Render thread. The buffer holds width × height pixels, rows in the order given at
    // construction, each pixel the bytes blue, green, red, 255; it may be written only between a
    // WaitForRequest that returned true and the following FrameReady.
    bool WaitForRequest();
    uint8_t* FrameBuffer() { return mFrameBuffer.data(); }
    void FrameReady();
    void RenderFinished();

private:
    int32_t mStride;
    bool mBottomUp;
    std::vector<uint8_t> mFrameBuffer;
    AutoResetEvent mFrameRequest;         // set by the encoder; also wakes the render thread on stop
    AutoResetEvent mFrameReady;           // set by the render thread; also wakes the encoder when it ends
    std::atomic<bool> mStopRender{false};     // written by the encoder thread
    std::atomic<bool> mFrameWaiting{false};   // set by the render thread, taken by the encoder thread
    std::atomic<bool> mRenderFinished{false}; // written by the render thread
};

} // namespace Export
