#include "PixelRevealTurningDiamondPhoto.h"

#include <numbers>

namespace Rendering {

namespace {

constexpr float TurnDegrees = 270.0f;
constexpr float FullRadius = 2.0f;  // the diamond then holds the whole unit square

}  // namespace

PixelRevealTurningDiamondPhoto::PixelRevealTurningDiamondPhoto(Library::Game& game,
    std::shared_ptr<Library::Camera> camera, float screenWidth, float screenHeight)
    : PhotoAnimation(game, std::move(camera), screenWidth, screenHeight)
{
}

void PixelRevealTurningDiamondPhoto::SetUp()
{
    if (mEffect == nullptr) {
        mEffect = &Shared().Effect(mGame->Device(), "transitions/PixelRevealTurningDiamond.frag",
            {sizeof(CGreyBufferPerObject), sizeof(CRotMatPerObject)});
    }
}

int PixelRevealTurningDiamondPhoto::GetPhotoCount() const
{
    return 2;
}

int PixelRevealTurningDiamondPhoto::GetEffectId() const
{
    return 16;
}

// No diamond while entering; a diamond holding the whole quad while leaving.
void PixelRevealTurningDiamondPhoto::Render(const Library::FrameTime& frameTime)
{
    mGrey.Radius = 0.0f;
    mGrey.Aspect_ratio = mAspect;
    if (SelectPhase(Elapsed(frameTime), Times()) == Phase::Leave) {
        mGrey.Radius = FullRadius;
    }
    RenderPhases(frameTime);
}

void PixelRevealTurningDiamondPhoto::RenderHold(const Library::FrameTime& frameTime, float elapsed)
{
    const float d = HoldProgress(elapsed, Times());
    mGrey.Aspect_ratio = mAspect;
    mGrey.Radius = FullRadius * d;
    mRotation.RotMat = Library::RotationZ(d * TurnDegrees * std::numbers::pi_v<float> / 180.0f);
    RenderEnter(frameTime, 1.0f, mFrameSpan);
    DrawFrameRing(1.0f, mFrameSpan);
}

void PixelRevealTurningDiamondPhoto::RenderEnter(const Library::FrameTime&, float t, float)
{
    DrawDiamond(t, false);
}

void PixelRevealTurningDiamondPhoto::RenderLeave(const Library::FrameTime&, float t, float)
{
    DrawDiamond(t, true);
}

void PixelRevealTurningDiamondPhoto::DrawDiamond(float t, bool leaving)
{
    DrawEffectQuad(mEffect, {&mGrey, &mRotation}, t, leaving);
}

}  // namespace Rendering
