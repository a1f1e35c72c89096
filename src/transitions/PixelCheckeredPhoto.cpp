#include "PixelCheckeredPhoto.h"

namespace Rendering {

PixelCheckeredPhoto::PixelCheckeredPhoto(Library::Game& game, std::shared_ptr<Library::Camera> camera,
    float screenWidth, float screenHeight)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight)
{
}

void PixelCheckeredPhoto::SetUp()
{
    if (mEffect == nullptr) {
        mEffect = &Shared().Effect(mGame->Device(), "transitions/PixelCheckered.frag",
            {sizeof(CInfoBufferPerObject), sizeof(CInfoBufferPerObject2)});
    }
}

int PixelCheckeredPhoto::GetPhotoCount() const
{
    return 2;
}

float PixelCheckeredPhoto::GetHoldTime() const
{
    return 2.0f;
}

int PixelCheckeredPhoto::GetEffectId() const
{
    return 14;
}

// The wipe stands at its start while entering and at its end while leaving.
void PixelCheckeredPhoto::Render(const Library::FrameTime& frameTime)
{
    switch (SelectPhase(Elapsed(frameTime), Times())) {
    case Phase::Enter:
        mInfo.s_Complete = 0.0f;
        break;
    case Phase::Leave:
        mInfo.s_Complete = 1.0f;
        break;
    case Phase::Hold:
        break;
    }
    RenderPhases(frameTime);
}

void PixelCheckeredPhoto::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    mInfo.s_Complete = HoldProgress(elapsed, Times());
    RenderEnter(frameTime, 1.0f, mFrameSpan);
    DrawFrameRing(1.0f, mFrameSpan);
}

void PixelCheckeredPhoto::RenderEnter(const Library::FrameTime&, float t, float)
{
    DrawCells(t, false);
}

void PixelCheckeredPhoto::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawCells(t, true);
}

void PixelCheckeredPhoto::DrawCells(float t, bool leaving)
{
    const auto share = TextureShare();
    mInfo2.s_Width = share[0];
    mInfo2.s_Height = share[1];
    DrawEffectQuad(mEffect, {&mInfo, &mInfo2}, t, leaving);
}

}  // namespace Rendering
