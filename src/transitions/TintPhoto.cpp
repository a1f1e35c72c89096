#include "TintPhoto.h"

#include "framework/GpuHelpers.h"

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
    if (mShaders) {
        return;
    }
    Library::GraphicsDevice& device = mGame->Device();
    mShaders.Create(device, "transitions/Tint.frag");
    Library::CreateConstantBuffer(device, sizeof(CColorBufferPerObject), mColorBuffer);
    Library::CreateConstantBuffer(device, sizeof(CInfoBufferPerObject), mInfoBuffer);
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
    if (mPhotos.empty()) {
        return;
    }
    Library::DeviceContext& context = mGame->Context();
    context.UpdateSubresource(mColorBuffer, &mColors);
    context.UpdateSubresource(mInfoBuffer, &mInfo);
    context.PSSetConstantBuffers(0, &mColorBuffer);
    context.PSSetConstantBuffers(1, &mInfoBuffer);
    DrawPhotoQuad(0, t, leaving, mShaders);
}

}  // namespace Rendering
