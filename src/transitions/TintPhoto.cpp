#include "TintPhoto.h"

namespace Rendering {

float HoldTintSwipe(float elapsed, const PhaseTimes& times)
{
    const float restStart = times.enter + times.hold;
    if (elapsed <= restStart) {
        return 0.0f;
    }
    const float ramp = 0.3f * times.rest;
    return elapsed >= restStart + ramp ? 1.0f : (elapsed - restStart) / ramp;
}

TintPhoto::TintPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera, float screenWidth,
    float screenHeight)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight)
{
}

void TintPhoto::SetUp()
{
    if (mEffect == nullptr) {
        mEffect = &Shared().Effect(mGame->Device(), "transitions/Tint.frag",
            {sizeof(CColorBufferPerObject), sizeof(CInfoBufferPerObject)});
    }
}

int TintPhoto::GetPhotoCount() const
{
    return 1;
}

int TintPhoto::GetEffectId() const
{
    return 24;
}

void TintPhoto::Render(const Library::FrameTime& frameTime)
{
    // The photo enters fully tinted; it leaves as the hold's wipe-off left it.
    if (SelectPhase(Elapsed(frameTime), Times()) == Phase::Enter) {
        mInfo.s_swipe = 0.0f;
    }
    RenderPhases(frameTime);
}

void TintPhoto::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    mInfo.s_swipe = HoldTintSwipe(elapsed, Times());
    RenderEnter(frameTime, 1.0f, mFrameSpan);
    DrawFrameRing(1.0f, mFrameSpan);
}

void TintPhoto::RenderEnter(const Library::FrameTime&, float t, float)
{
    mColors.SetOpacity(mTintOpacity);
    if (!mPhotos.empty()) {
        const Library::TextureRes& photo = *mPhotos.front();
        mInfo.s_img_width = photo.FloatWidth >= photo.FloatHeight ? 1.0f : photo.FloatWidth / photo.FloatHeight;
    }
    DrawTint(t, false);
}

void TintPhoto::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawTint(t, true);
}

void TintPhoto::DrawTint(float t, bool leaving)
{
    DrawEffectQuad(mEffect, {&mColors, &mInfo}, t, leaving);
}

}  // namespace Rendering
