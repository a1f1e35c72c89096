#pragma once

#include "AutoResetEvent.h"
#include "FrameSource.h"

#include <atomic>
#include <cstdint>

namespace Export {

// The meeting point of the render thread and the encoder thread: the signals FrameRequest,
// FrameReady, StopRender and RenderFinished around one frame in flight at a time. The frame's
// pixels stay in the render thread's memory (its read-back buffer), so nothing is copied on the way.
//
// Render thread, once per frame: WaitForRequest(); when true, hand the next frame to FrameReady();
// when false, stop rendering. Either way the encoder is then done with the frame it was handed
// before, and its memory may be reused. Whatever ends the render thread (last frame, stop, failure),
// it calls RenderFinished() before it goes, or the encoder waits for it forever, and it keeps the
// last frame's memory until one more WaitForRequest has returned. Every frame counts, the last one
// too: the encoder stops asking once it has all it needs.
class FrameHandOver final : public FrameSource {
public:
    // bottomUp: the render thread writes the picture's bottom row first (the capture layout);
    // false when it writes the top row first, as a read-back of a top-left-origin target does.
    FrameHandOver(int32_t width, bool bottomUp);

    // Encoder thread.
    bool NextFrame(FrameView& frame) override;
    void Stop() override;

    // Render thread. pixels: width × height pixels in the rows order given at construction, each
    // pixel the bytes blue, green, red, 255; unchanged until the next WaitForRequest returns.
    bool WaitForRequest();
    void FrameReady(const uint8_t* pixels);
    void RenderFinished();

private:
    int32_t mStride;
    bool mBottomUp;
    const uint8_t* mPixels = nullptr;     // written by the render thread before mFrameWaiting
    AutoResetEvent mFrameRequest;         // set by the encoder; also wakes the render thread on stop
    AutoResetEvent mFrameReady;           // set by the render thread; also wakes the encoder when it ends
    std::atomic<bool> mStopRender{false};     // written by the encoder thread
    std::atomic<bool> mFrameWaiting{false};   // set by the render thread, taken by the encoder thread
    std::atomic<bool> mRenderFinished{false}; // written by the render thread
};

} // namespace Export
