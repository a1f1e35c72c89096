#include "FrameHandOver.h"

#include <cstddef>

namespace Export {

FrameHandOver::FrameHandOver(int32_t width, int32_t height, bool bottomUp)
    : mStride(width * 4)
    , mBottomUp(bottomUp)
    , mFrameBuffer(static_cast<std::size_t>(mStride) * static_cast<std::size_t>(height))
{
}

bool FrameHandOver::NextFrame(FrameView& frame)
{
    if (!mRenderFinished) {
        mFrameRequest.Set();
    }
    // The render thread may hand over its last frame and finish before this thread wakes: both
    // signals then arrive as one, and the frame still counts. A wake-up that was already taken by
    // an earlier frame just waits again.
    for (;;) {
        if (mFrameWaiting.exchange(false)) {
            frame = {mFrameBuffer.data(), mStride, mBottomUp};
            return true;
        }
        if (mRenderFinished) {
            return false;
        }
        mFrameReady.Wait();
    }
}

void FrameHandOver::Stop()
{
    mStopRender = true;
    mFrameRequest.Set();
}

bool FrameHandOver::WaitForRequest()
{
    if (mStopRender) {
        return false;
    }
    mFrameRequest.Wait();
    return !mStopRender;
}

void FrameHandOver::FrameReady()
{
    mFrameWaiting = true;
    mFrameReady.Set();
}

void FrameHandOver::RenderFinished()
{
    mRenderFinished = true;
    mFrameReady.Set();
}

} // namespace Export
