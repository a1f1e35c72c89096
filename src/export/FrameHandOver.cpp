#include "FrameHandOver.h"

namespace Export {

FrameHandOver::FrameHandOver(int32_t width, bool bottomUp)
    : mStride(width * 4)
    , mBottomUp(bottomUp)
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
            frame = {mPixels, mStride, mBottomUp};
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

void FrameHandOver::FrameReady(const uint8_t* pixels)
{
    mPixels = pixels;
    mFrameWaiting = true;
    mFrameReady.Set();
}

void FrameHandOver::RenderFinished()
{
    mRenderFinished = true;
    mFrameReady.Set();
}

} // namespace Export
