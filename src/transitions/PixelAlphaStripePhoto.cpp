#include "PixelAlphaStripePhoto.h"

namespace Rendering {

PixelAlphaStripePhoto::PixelAlphaStripePhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera,
    float screenWidth, float screenHeight)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight)
{
}

void PixelAlphaStripePhoto::SetUp()
{
    if (mEffect == nullptr) {
        mEffect = &Shared().Effect(mGame->Device(), "transitions/PixelAlphaStripe.frag",
            {sizeof(CInfoBufferPerObject), sizeof(CInfoBufferPerObject2)});
    }
}

int PixelAlphaStripePhoto::GetPhotoCount() const
{
    return 2;
}

float PixelAlphaStripePhoto::GetHoldTime() const
{
    return 2.0f;
}

int PixelAlphaStripePhoto::GetEffectId() const
{
    return 13;
}

// The enter phase shows whatever the fade holds: the first photo before the first hold frame.
void PixelAlphaStripePhoto::Render(const Library::FrameTime& frameTime)
{
    RenderPhases(frameTime);
}

void PixelAlphaStripePhoto::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    mInfo.s_Complete = HoldProgress(elapsed, Times());
    RenderEnter(frameTime, 1.0f, mFrameSpan);
    DrawFrameRing(1.0f, mFrameSpan);
}

void PixelAlphaStripePhoto::RenderEnter(const Library::FrameTime&, float t, float)
{
    DrawStripes(t, false);
}

void PixelAlphaStripePhoto::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawStripes(t, true);
}

void PixelAlphaStripePhoto::DrawStripes(float t, bool leaving)
{
    mInfo2.s_Width = TextureShare()[0];
    DrawEffectQuad(mEffect, {&mInfo, &mInfo2}, t, leaving);
}

}  // namespace Rendering
