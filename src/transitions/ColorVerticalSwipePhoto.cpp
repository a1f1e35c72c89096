#include "ColorVerticalSwipePhoto.h"

#include "framework/GpuHelpers.h"

namespace Rendering {

SwipeProgress HoldSwipeProgress(float elapsed, const PhaseTimes& times)
{
    const float e = elapsed >= times.enter + times.hold ? 1.0f : (elapsed - times.enter) / times.hold;
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
    if (mVertexShader) {
        return;
    }
    Library::GraphicsDevice& device = mGame->Device();
    Library::CreateVertexShader(device, "framework/Textured.vert", mVertexShader);
    Library::CreatePixelShader(device, "transitions/ColorVerticalSwipe.frag", mPixelShader);
    Library::CreateInputLayout(device, TexturedVertexLayout, mVertexShader, mInputLayout);
    Library::CreateConstantBuffer(device, sizeof(CInfoBufferPerObject), mInfoBuffer);
    Library::CreateConstantBuffer(device, sizeof(CColorBufferPerObject), mColorBuffer);
    Library::CreateConstantBuffer(device, sizeof(CInfoBufferPerObject2), mInfoBuffer2);
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
    mWorld = Library::Identity();
    mInfo.s_ani = 0.0f;
    if (!mPhotos.empty()) {
        mInfo.s_width = mPhotos.front()->FloatWidth;
        mInfo.s_height = mPhotos.front()->FloatHeight;
    }
    const float elapsed = Elapsed(frameTime);
    switch (SelectPhase(elapsed, Times())) {
    case Phase::Enter:
        AnimateEnter(frameTime, elapsed);
        break;
    case Phase::Hold:
        RenderHold(frameTime, elapsed);
        break;
    case Phase::Leave:
        // The wipe-off keeps the value it reached in the hold phase.
        mInfo.s_ani = 1.0f;
        AnimateLeave(frameTime, elapsed);
        break;
    }
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
    if (mPhotos.empty()) {
        return;
    }
    Library::DeviceContext& context = mGame->Context();
    mColors.SetOpacity(mTintOpacity);
    context.UpdateSubresource(mInfoBuffer, &mInfo);
    context.UpdateSubresource(mColorBuffer, &mColors);
    context.UpdateSubresource(mInfoBuffer2, &mInfo2);
    context.PSSetConstantBuffers(0, &mInfoBuffer);
    context.PSSetConstantBuffers(1, &mColorBuffer);
    context.PSSetConstantBuffers(2, &mInfoBuffer2);
    context.PSSetShaderResources(1, &mPhotos[mPhotos.size() > 1 ? 1 : 0]->View);
    DrawPhotoQuad(0, t, leaving, {&mVertexShader, &mPixelShader, &mInputLayout});
}

}  // namespace Rendering
