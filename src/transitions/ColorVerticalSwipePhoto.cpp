#include "ColorVerticalSwipePhoto.h"

namespace Rendering {

SwipeProgress HoldSwipeProgress(float elapsed, const PhaseTimes& times)
{
    const float e = HoldProgress(elapsed, times);
    if (e > 0.5f) {
        return {1.0f, (e - 0.5f) * 2.0f};
    }
    return {2.0f * e, 0.0f};
}

ColorVerticalSwipePhoto::ColorVerticalSwipePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera,
    float screenWidth, float screenHeight)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight)
{
}

void ColorVerticalSwipePhoto::SetUp()
{
    if (mEffect == nullptr) {
        mEffect = &Shared().Effect(mGame->Device(), "transitions/ColorVerticalSwipe.frag",
            {sizeof(CInfoBufferPerObject), sizeof(CColorBufferPerObject), sizeof(CInfoBufferPerObject2)});
    }
}

int ColorVerticalSwipePhoto::GetPhotoCount() const
{
    return 2;
}

float ColorVerticalSwipePhoto::GetHoldTime() const
{
    return 2.0f;
}

int ColorVerticalSwipePhoto::GetEffectId() const
{
    return 1;
}

void ColorVerticalSwipePhoto::SetWipeLeftToRight(int value)
{
    mInfo2.s_left2right = value;
}

void ColorVerticalSwipePhoto::Render(const Library::FrameTime& frameTime)
{
    if (!mPhotos.empty()) {
        mInfo.s_width = mPhotos.front()->FloatWidth;
        mInfo.s_height = mPhotos.front()->FloatHeight;
    }
    // Entering shows the first photo; leaving the second with the wipe-off where the hold left it.
    const bool leaving = SelectPhase(Elapsed(frameTime), Times()) == Phase::Leave;
    mInfo.s_ani = leaving ? 1.0f : 0.0f;
    RenderPhases(frameTime);
}

void ColorVerticalSwipePhoto::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    const SwipeProgress progress = HoldSwipeProgress(elapsed, Times());
    mInfo.s_ani = progress.ani;
    mInfo2.s_swipe = progress.swipe;
    RenderEnter(frameTime, 1.0f, mFrameSpan);
    DrawFrameRing(1.0f, mFrameSpan);
}

void ColorVerticalSwipePhoto::RenderEnter(const Library::FrameTime&, float t, float)
{
    DrawSwipe(t, false);
}

void ColorVerticalSwipePhoto::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawSwipe(t, true);
}

void ColorVerticalSwipePhoto::DrawSwipe(float t, bool leaving)
{
    mColors.SetOpacity(mTintOpacity);
    DrawEffectQuad(mEffect, {&mInfo, &mColors, &mInfo2}, t, leaving);
}

}  // namespace Rendering
